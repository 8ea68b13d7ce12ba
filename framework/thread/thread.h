// Worker threads that run one job each with a cooperative stop, polled once a frame by their owner.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "framework/lock/critical_section.h"
#include "framework/memory/heaps.h"
#include "platform/thread.h"

namespace vesk::thread {

class SYS_CThread;

// A job runs on its own thread; it should return early once
// IsStopRequested() turns true. Its result is the return itself.
using JobFunction = void (*)(SYS_CThread* thread, void* argument1, std::intptr_t argument2);

// One worker thread with cooperative stop. The owner starts it, polls it once
// a frame and deletes it once IsFinished() reports true.
class SYS_CThread : public memory::MainHeapObject {
public:
    // priority: below 0 below normal, 0 normal, above 0 above normal. The
    // name, stack size and flags are labels only.
    virtual bool Start(std::string_view name, JobFunction job, void* argument1, std::intptr_t argument2,
                       std::size_t stackSize, int priority, std::uint32_t flags) = 0;
    // Asks a running job to stop, waits for it to end and resets the object.
    virtual void Join() = 0;
    // Notices a finished job and joins it.
    virtual void Poll() = 0;
    // True when no job runs: never started, joined, or the job has returned.
    virtual bool IsFinished() = 0;
    virtual void RequestStop() = 0;
    virtual bool IsStopRequested() const = 0;
    virtual ~SYS_CThread() = default;
};

class SYSWIN_CThread final : public SYS_CThread {
public:
    SYSWIN_CThread() = default;
    ~SYSWIN_CThread() override;
    SYSWIN_CThread(const SYSWIN_CThread&) = delete;
    SYSWIN_CThread& operator=(const SYSWIN_CThread&) = delete;

    bool Start(std::string_view name, JobFunction job, void* argument1, std::intptr_t argument2,
               std::size_t stackSize, int priority, std::uint32_t flags) override;
    void Join() override;
    void Poll() override;
    bool IsFinished() override;
    void RequestStop() override;
    bool IsStopRequested() const override;

private:
    struct StartBlock {
        SYSWIN_CThread* thread = nullptr;
        JobFunction job = nullptr;
        void* argument1 = nullptr;
        std::intptr_t argument2 = 0;
    };

    static uint32_t Trampoline(void* context);

    StartBlock startBlock_;
    SYSWIN_CCriticalSection lock_;
    std::shared_ptr<platform::Thread> handle_;
    // Read without the lock by the job (stop) and by Poll (finished).
    std::atomic<std::uint32_t> finished_{0};
    std::atomic<std::uint32_t> stopRequested_{0};
};

// A new thread object from the main heap (or the general allocator while
// there is none); null when no memory is left. Delete it when done.
SYSWIN_CThread* CreateThreadObject();

// Blocks until the most recently started thread has ended (nothing when none
// runs or it was joined). The window's close handler calls this so that a
// save in flight completes before the program quits.
void WaitForLastThread();

}  // namespace vesk::thread
