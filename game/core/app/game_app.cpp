#include "game/core/app/game_app.h"

#include <chrono>
#include <thread>

#include "framework/app/framework_manager.h"
#include "framework/app/quitting.h"
#include "framework/input/input_manager.h"

namespace {

// No scenes and no presenting device yet: hold the pace of a 60 Hz display so the
// loop does not spin. The device's vertical sync takes this over.
void WaitForNextFrame()
{
    using Clock = std::chrono::steady_clock;
    constexpr auto kFramePeriod = std::chrono::microseconds(16667);
    static Clock::time_point next = Clock::now();
    next += kFramePeriod;
    const Clock::time_point now = Clock::now();
    if (next < now) next = now;  // after a stall, do not race to catch up
    std::this_thread::sleep_until(next);
}

}  // namespace

void GameStartup() {}

int GameFrame()
{
    vesk::input::UpdateInput();
    vesk::app::BeginFrameDraw();
    WaitForNextFrame();
    return vesk::app::IsQuitting() ? 1 : 0;
}

void GameShutdown() {}
