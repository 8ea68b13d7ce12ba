#include "framework/app/quitting.h"

#include <atomic>

namespace vesk::app {

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

}  // namespace vesk::app
