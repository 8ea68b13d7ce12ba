// A stop asked of a long test run by SIGINT or SIGTERM, with the game's window up or down.
#include <gtest/gtest.h>

#include <csignal>

#include "framework/process/canvas.h"
#include "framework/window/main_window.h"
#include "tests/support/stop_request.h"

namespace {

// The handler a signal has now.
void (*HandlerOf(int signal))(int)
{
    struct sigaction now {};
    sigaction(signal, nullptr, &now);
    return now.sa_handler;
}

TEST(StopRequestTest, SignalsAskTheRunToStopWhetherTheWindowTakesThemOrNotAndEndNothing)
{
    const auto termBefore = HandlerOf(SIGTERM);
    const auto intBefore = HandlerOf(SIGINT);
    {
        const support::StopRequest stop;
        EXPECT_FALSE(stop.Asked());
        std::raise(SIGINT);
        EXPECT_TRUE(stop.Asked());
    }
    EXPECT_EQ(HandlerOf(SIGTERM), termBefore);
    EXPECT_EQ(HandlerOf(SIGINT), intBefore);

    // The game's window takes the signals while it is up, as a close request no stepped game reads.
    const support::StopRequest stop;
    EXPECT_FALSE(stop.Asked());
    vesk::process::SetupCanvas();
    ASSERT_TRUE(vesk::window::CreateMainWindow(u"VARNOLIS"));
    std::raise(SIGTERM);
    EXPECT_TRUE(stop.Asked());
    vesk::window::ReleaseMainWindow();
    EXPECT_TRUE(stop.Asked());
}

}  // namespace
