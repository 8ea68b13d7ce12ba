// Worker threads on the platform's threads: start, cooperative stop, poll and join.
#include "framework/thread/thread.h"

#include <mutex>

#include "framework/log/log.h"

namespace vesk::thread {
namespace {

// The most recently started thread, kept so the window can wait for it.
std::mutex g_lastThreadMutex;
std::shared_ptr<platform::Thread> g_lastThread;

platform::ThreadPriority PriorityFrom(int priority)
{
    if (priority < 0) {
        return platform::ThreadPriority::BelowNormal;
    }
    return priority > 0 ? platform::ThreadPriority::AboveNormal : platform::ThreadPriority::Normal;
}

}  // namespace

SYSWIN_CThread::~SYSWIN_CThread()
{
    Join();
}

uint32_t SYSWIN_CThread::Trampoline(void* context)
{
    const StartBlock block = *static_cast<StartBlock*>(context);
    block.job(block.thread, block.argument1, block.argument2);
    SYS_CScopedLock lock(&block.thread->lock_);
    block.thread->finished_.store(1);
    return 1;
}

bool SYSWIN_CThread::Start(std::string_view name, JobFunction job, void* argument1, std::intptr_t argument2,
                           std::size_t stackSize, int priority, std::uint32_t flags)
{
    if (handle_ != nullptr) {
        log::Error("thread " + std::string(name) + " not started: the object still holds a thread");
        return false;
    }
    startBlock_ = StartBlock{this, job, argument1, argument2};
    finished_.store(0);
    stopRequested_.store(0);
    handle_ = platform::Thread::Start(&Trampoline, &startBlock_, PriorityFrom(priority));
    if (handle_ == nullptr) {
        startBlock_ = StartBlock{};
        log::Error("thread " + std::string(name) + " could not be started");
        return false;
    }
    std::lock_guard lock(g_lastThreadMutex);
    g_lastThread = handle_;
    return true;
}

void SYSWIN_CThread::Join()
{
    if (handle_ == nullptr) {
        return;
    }
    if (handle_->IsCurrentThread()) {
        log::Error("a thread cannot join itself");
        return;
    }
    if (!IsFinished()) {
        RequestStop();
    }
    handle_->Wait();
    {
        // Only this thread's own entry is cleared: a later thread that is
        // still running stays waited for at window close.
        std::lock_guard lock(g_lastThreadMutex);
        if (g_lastThread == handle_) {
            g_lastThread.reset();
        }
    }
    handle_.reset();
    startBlock_ = StartBlock{};
    finished_.store(0);
    stopRequested_.store(0);
}

void SYSWIN_CThread::Poll()
{
    if (handle_ != nullptr && finished_.load() == 0 && handle_->ExitCode() != platform::kThreadStillActive) {
        SYS_CScopedLock lock(&lock_);
        finished_.store(1);
    }
    if (handle_ != nullptr && finished_.load() != 0) {
        Join();
    }
}

bool SYSWIN_CThread::IsFinished()
{
    SYS_CScopedLock lock(&lock_);
    return handle_ == nullptr || finished_.load() != 0;
}

void SYSWIN_CThread::RequestStop()
{
    SYS_CScopedLock lock(&lock_);
    stopRequested_.store(1);
}

bool SYSWIN_CThread::IsStopRequested() const
{
    return stopRequested_.load() != 0;
}

SYSWIN_CThread* CreateThreadObject()
{
    return new SYSWIN_CThread();
}

void WaitForLastThread()
{
    std::shared_ptr<platform::Thread> last;
    {
        std::lock_guard lock(g_lastThreadMutex);
        last = g_lastThread;
    }
    if (last != nullptr) {
        last->Wait();
    }
}

}  // namespace vesk::thread
