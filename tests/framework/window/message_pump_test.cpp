// The message pump: one message per pass, minimised windows, the monitor size and the quit code.
#include <chrono>

#include <gtest/gtest.h>

#include "tests/support/window_fixture.h"

namespace vesk::window::test {
namespace {

using platform::ShowState;
using platform::WindowEventType;

using MessagePumpTest = support::WindowTest;

TEST_F(MessagePumpTest, OneMessagePerPassAndAFrameOnlyWhenNoneWaits)
{
    PushMouseMove(1, 1);
    PushMouseMove(2, 2);
    EXPECT_EQ(PumpMessages(&quit, &exitCode), 1);
    EXPECT_EQ(GetWindowInputState().rawCursorX, 1);
    EXPECT_EQ(PumpMessages(&quit, &exitCode), 1);
    EXPECT_EQ(GetWindowInputState().rawCursorX, 2);
    EXPECT_EQ(PumpMessages(&quit, &exitCode), 0);

    // A message the program leaves alone still takes its pass.
    PushType(WindowEventType::None);
    EXPECT_EQ(PumpMessages(&quit, &exitCode), 1);
    EXPECT_EQ(PumpMessages(&quit, &exitCode), 0);
    EXPECT_EQ(quit, 0);
}

TEST_F(MessagePumpTest, MinimisedOrHiddenWindowRunsNoFrameButHandlesMessages)
{
    for (const ShowState state : {ShowState::Minimized, ShowState::Hidden}) {
        platform::SetTestShowState(state);
        EXPECT_EQ(PumpMessages(&quit, &exitCode), 1);

        PushMouseMove(33, 44);
        EXPECT_EQ(PumpMessages(&quit, &exitCode), 1);
        EXPECT_EQ(GetWindowInputState().rawCursorX, 33);
        EXPECT_EQ(PumpMessages(&quit, &exitCode), 1);

        platform::SetTestShowState(ShowState::Normal);
        EXPECT_EQ(PumpMessages(&quit, &exitCode), 0);
    }
}

TEST_F(MessagePumpTest, MinimisedWindowSleepsInsteadOfSpinning)
{
    platform::SetTestShowState(ShowState::Minimized);
    const auto start = std::chrono::steady_clock::now();
    for (int pass = 0; pass < 3; ++pass) EXPECT_EQ(PumpMessages(&quit, &exitCode), 1);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(15));
}

TEST_F(MessagePumpTest, MonitorSizeIsTheDisplayOfTheWindow)
{
    const MonitorSize size = GetMonitorSize();
    EXPECT_GT(size.width, 0.0f);
    EXPECT_GT(size.height, 0.0f);
    // The headless video driver has one display, the primary one.
    EXPECT_EQ(static_cast<float>(GetScreenHeight()), size.height);
}

TEST_F(MessagePumpTest, RealShowStateOfTheWindowIsSeen)
{
    EXPECT_EQ(platform::GetShowState(), ShowState::Normal);
    ReleaseMainWindow();
    ASSERT_TRUE(CreateMainWindow(u"VARNOLIS"));
    // Created windows stay hidden until the device shows them.
    EXPECT_EQ(platform::GetShowState(), ShowState::Hidden);
    EXPECT_EQ(PumpMessages(&quit, &exitCode), 1);
}

TEST_F(MessagePumpTest, PostedQuitCarriesItsCode)
{
    platform::PostQuit(7);
    EXPECT_TRUE(platform::PeekEvent());
    EXPECT_EQ(PumpMessages(&quit, &exitCode), 1);
    EXPECT_EQ(quit, 1);
    EXPECT_EQ(exitCode, 7);
}

}  // namespace
}  // namespace vesk::window::test
