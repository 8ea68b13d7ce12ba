// The lock the heaps and the threads share: a re-entrant critical section and its scope guard, below the heaps that use it.
#pragma once

#include "platform/thread.h"

namespace vesk::thread {

// A lock that the thread holding it may take again (scripts create and kill
// objects while the engine's lock is held).
class SYS_CCriticalSection {
public:
    virtual void Enter() = 0;
    virtual void Leave() = 0;
    virtual ~SYS_CCriticalSection() = default;
};

class SYSWIN_CCriticalSection final : public SYS_CCriticalSection {
public:
    SYSWIN_CCriticalSection() = default;
    SYSWIN_CCriticalSection(const SYSWIN_CCriticalSection&) = delete;
    SYSWIN_CCriticalSection& operator=(const SYSWIN_CCriticalSection&) = delete;

    void Enter() override { mutex_.Lock(); }
    void Leave() override { mutex_.Unlock(); }

private:
    platform::RecursiveMutex mutex_;
};

// Holds a critical section for the lifetime of the scope; a null section makes
// it a no-op, so code that may run before a heap has its lock can still use it.
class SYS_CScopedLock {
public:
    explicit SYS_CScopedLock(SYS_CCriticalSection* section) : section_(section)
    {
        if (section_ != nullptr) {
            section_->Enter();
        }
    }
    ~SYS_CScopedLock()
    {
        if (section_ != nullptr) {
            section_->Leave();
        }
    }
    SYS_CScopedLock(const SYS_CScopedLock&) = delete;
    SYS_CScopedLock& operator=(const SYS_CScopedLock&) = delete;

private:
    SYS_CCriticalSection* section_;
};

}  // namespace vesk::thread
