// The quitting flag, safe to read from any thread.
#include "framework/process/quitting.h"

#include <atomic>

namespace vesk::process {

namespace {
std::atomic<bool> g_quitting{false};
std::atomic<int> g_exitStatus{0};
}  // namespace

bool IsQuitting()
{
    return g_quitting.load(std::memory_order_acquire);
}

void SetQuitting()
{
    g_quitting.store(true, std::memory_order_release);
}

void QuitWithFailure()
{
    g_exitStatus.store(1, std::memory_order_release);
    SetQuitting();
}

int ExitStatus()
{
    return g_exitStatus.load(std::memory_order_acquire);
}

void ClearQuitting()
{
    g_exitStatus.store(0, std::memory_order_release);
    g_quitting.store(false, std::memory_order_release);
}

}  // namespace vesk::process
