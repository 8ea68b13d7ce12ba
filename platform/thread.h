// Threads that report an exit status and run at a chosen priority, and the re-entrant lock.
// The framework builds its critical sections on that lock.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>

namespace platform {

enum class ThreadPriority : uint8_t { BelowNormal, Normal, AboveNormal };

// The exit status a thread reports while it still runs.
inline constexpr uint32_t kThreadStillActive = 259;

class Thread {
public:
    using Entry = uint32_t (*)(void* context);

    // Runs entry(context) on a new thread. Null when the system refuses one.
    // Shared so that a waiter (the window's close handler) can keep the
    // thread alive to wait on while its owner lets go of it.
    static std::shared_ptr<Thread> Start(Entry entry, void* context, ThreadPriority priority);

    // Waits for the thread to end unless called from the thread itself.
    ~Thread();
    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;

    // The value entry returned, or kThreadStillActive while it runs.
    uint32_t ExitCode() const;
    // Blocks until entry has returned. Returns at once when called from the
    // thread itself, which could never end while it waits.
    void Wait() const;
    bool IsCurrentThread() const;

private:
    struct State;
    Thread() = default;

    std::shared_ptr<State> state_;
    std::thread thread_;
};

// Makes the next thread starts fail, as a system out of threads would.
void SetThreadStartFailureForTesting(bool fail);

// A lock the owning thread may take again while it holds it.
class RecursiveMutex {
public:
    void Lock() { mutex_.lock(); }
    void Unlock() { mutex_.unlock(); }

private:
    std::recursive_mutex mutex_;
};

}  // namespace platform
