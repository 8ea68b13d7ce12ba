// The quitting flag, safe to read from any thread.
#include "framework/process/quitting.h"

#include <atomic>

namespace vesk::process {

namespace {
std::atomic<bool> g_quitting{false};
}  // namespace

bool IsQuitting()
{
    return g_quitting.load(std::memory_order_acquire);
}

void SetQuitting()
{
    g_quitting.store(true, std::memory_order_release);
}

void ClearQuitting()
{
    g_quitting.store(false, std::memory_order_release);
}

}  // namespace vesk::process
