// One pass of the message pump, with a short wait while the window is minimised.
#include "framework/window/message_pump.h"

#include "framework/window/window_proc.h"
#include "platform/window.h"

namespace vesk::window {

namespace {
// How long a minimised window sleeps per pass when nothing happens.
constexpr int kIdleWaitMs = 10;
}  // namespace

int PumpMessages(int* quit, int* exitCode)
{
    if (platform::PeekEvent()) {
        platform::WindowEvent event;
        if (platform::NextEvent(event)) {
            if (event.type == platform::WindowEventType::Quit) {
                *quit = 1;
                *exitCode = event.exitCode;
            } else {
                WindowProc(event);
            }
        }
        return 1;
    }
    if (platform::GetShowState() != platform::ShowState::Normal) {
        platform::WaitForEvent(kIdleWaitMs);
        return 1;
    }
    return 0;
}

}  // namespace vesk::window
