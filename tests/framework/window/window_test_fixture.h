#pragma once

#include <optional>

#include <gtest/gtest.h>

#include "framework/process/canvas.h"
#include "framework/window/main_window.h"
#include "framework/window/message_pump.h"
#include "framework/window/window_proc.h"
#include "platform/window.h"

namespace vesk::window::test {

// A shown window on SDL's dummy video driver, with the canvas set up as at start-up.
class WindowTest : public testing::Test {
protected:
    void SetUp() override
    {
        process::SetupCanvas();
        GetWindowInputState() = {};
        ASSERT_TRUE(CreateMainWindow(u"VARNOLIS"));
        ShowMainWindow();
        DrainMessages();
    }

    void TearDown() override
    {
        platform::SetTestShowState(std::nullopt);
        platform::SetTestCursorPosition(std::nullopt);
        SetInputHooks({});
        ReleaseMainWindow();
    }

    // Runs the pump until no message waits; returns how many it handled.
    int DrainMessages()
    {
        int handled = 0;
        while (platform::PeekEvent()) {
            PumpMessages(&quit, &exitCode);
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

}  // namespace vesk::window::test
