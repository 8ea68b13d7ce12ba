// A test fixture with a shown window on SDL's dummy video driver and the message pump at hand.
#pragma once

#include <optional>

#include <gtest/gtest.h>

#include "framework/process/canvas.h"
#include "framework/window/main_window.h"
#include "framework/window/message_pump.h"
#include "framework/window/window_proc.h"
#include "platform/window.h"

namespace support {

// A shown window on SDL's dummy video driver, with the canvas set up as at start-up.
class WindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        vesk::process::SetupCanvas();
        vesk::window::GetWindowInputState() = {};
        ASSERT_TRUE(vesk::window::CreateMainWindow(u"VARNOLIS"));
        vesk::window::ShowMainWindow();
        DrainMessages();
    }

    void TearDown() override
    {
        platform::SetTestShowState(std::nullopt);
        platform::SetTestCursorPosition(std::nullopt);
        vesk::window::SetInputHooks({});
        vesk::window::ReleaseMainWindow();
    }

    // Runs the pump until no message waits; returns how many it handled.
    int DrainMessages()
    {
        int handled = 0;
        while (platform::PeekEvent()) {
            vesk::window::PumpMessages(&quit, &exitCode);
            ++handled;
        }
        return handled;
    }

    void Push(const platform::WindowEvent& event) { platform::PushTestEvent(event); }

    void PushMouseMove(int x, int y)
    {
        platform::WindowEvent event;
        event.type = platform::WindowEventType::MouseMove;
        event.x = x;
        event.y = y;
        Push(event);
    }

    void PushType(platform::WindowEventType type)
    {
        platform::WindowEvent event;
        event.type = type;
        Push(event);
    }

    int quit = 0;
    int exitCode = -1;
};

}  // namespace support
