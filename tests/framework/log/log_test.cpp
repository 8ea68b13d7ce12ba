// The log's level prefixes, capture, and whole lines from many threads.
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/log_capture.h"

using support::LogCapture;

TEST(Log, CaptureSeesEachLevelWithItsPrefix)
{
    LogCapture capture;
    vesk::log::Error("bad offset");
    vesk::log::Warning("odd size");
    vesk::log::Info("loaded");
    ASSERT_EQ(capture.Lines().size(), 3u);
    EXPECT_EQ(capture.Lines()[0], "error: bad offset");
    EXPECT_EQ(capture.Lines()[1], "warning: odd size");
    EXPECT_EQ(capture.Lines()[2], "info: loaded");
}

TEST(Log, LinesFromManyThreadsAllArriveWhole)
{
    LogCapture capture;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([] {
            for (int i = 0; i < 100; ++i) {
                vesk::log::Info("line");
            }
        });
    }
    for (std::thread& thread : threads) {
        thread.join();
    }
    ASSERT_EQ(capture.Lines().size(), 400u);
    for (const std::string& line : capture.Lines()) {
        EXPECT_EQ(line, "info: line");
    }
}
