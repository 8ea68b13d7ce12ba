// Threads that report their exit status, their priority set as a nice value, and a test hook that fails starts.
#include "platform/thread.h"

#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <condition_variable>
#include <system_error>

namespace platform {
namespace {

std::atomic<bool> g_failThreadStarts{false};

// Threads on Linux carry their own nice value. Two steps is about a 1.5x
// share of the processor either way; raising may be refused without
// privileges, which leaves the thread at normal priority.
void ApplyPriority(ThreadPriority priority)
{
    if (priority == ThreadPriority::Normal) {
        return;
    }
    const auto tid = static_cast<id_t>(syscall(SYS_gettid));
    errno = 0;
    const int current = getpriority(PRIO_PROCESS, tid);
    if (current == -1 && errno != 0) {
        return;
    }
    const int step = priority == ThreadPriority::AboveNormal ? -2 : 2;
    setpriority(PRIO_PROCESS, tid, current + step);
}

}  // namespace

struct Thread::State {
    std::mutex mutex;
    std::condition_variable ended;
    bool running = true;
    uint32_t exitCode = kThreadStillActive;
};

std::shared_ptr<Thread> Thread::Start(Entry entry, void* context, ThreadPriority priority)
{
    if (g_failThreadStarts.load()) {
        return nullptr;
    }
    std::shared_ptr<Thread> thread(new Thread());
    thread->state_ = std::make_shared<State>();
    // The body holds its own share of the state, so it stays valid even if
    // the Thread object is dropped from inside the thread.
    auto body = [entry, context, priority, state = thread->state_] {
        ApplyPriority(priority);
        const uint32_t code = entry(context);
        std::lock_guard lock(state->mutex);
        state->exitCode = code;
        state->running = false;
        state->ended.notify_all();
    };
    try {
        thread->thread_ = std::thread(std::move(body));
    } catch (const std::system_error&) {
        return nullptr;
    }
    return thread;
}

Thread::~Thread()
{
    if (!thread_.joinable()) {
        return;
    }
    if (IsCurrentThread()) {
        thread_.detach();
    } else {
        thread_.join();
    }
}

uint32_t Thread::ExitCode() const
{
    std::lock_guard lock(state_->mutex);
    return state_->running ? kThreadStillActive : state_->exitCode;
}

void Thread::Wait() const
{
    if (IsCurrentThread()) {
        return;
    }
    std::unique_lock lock(state_->mutex);
    state_->ended.wait(lock, [this] { return !state_->running; });
}

bool Thread::IsCurrentThread() const
{
    return thread_.get_id() == std::this_thread::get_id();
}

void SetThreadStartFailureForTesting(bool fail)
{
    g_failThreadStarts.store(fail);
}

}  // namespace platform
