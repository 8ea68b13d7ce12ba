// Date-time records and monotonic nanoseconds.
#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "framework/app/date_time.h"
#include "framework/app/time_ns.h"

using namespace vesk::app;

TEST(DateTime, EmptyRecordHasDayOfWeekUnset)
{
    DateTime record;
    GetLocalDateTime(record);
    InitDateTime(record);
    EXPECT_EQ(record.year, 0u);
    EXPECT_EQ(record.month, 0u);
    EXPECT_EQ(record.day, 0u);
    EXPECT_EQ(record.hour, 0u);
    EXPECT_EQ(record.minute, 0u);
    EXPECT_EQ(record.second, 0u);
    EXPECT_EQ(record.millisecond, 0u);
    EXPECT_EQ(record.dayOfWeek, kDayOfWeekUnset);
}

TEST(DateTime, LocalRecordFillsEveryField)
{
    DateTime record;
    InitDateTime(record);
    GetLocalDateTime(record);
    EXPECT_GE(record.year, 2020u);
    EXPECT_GE(record.month, 1u);
    EXPECT_LE(record.month, 12u);
    EXPECT_GE(record.day, 1u);
    EXPECT_LT(record.dayOfWeek, kDayOfWeekUnset);
}

TEST(TimeNs, AdvancesWithRealTime)
{
    const std::int64_t start = GetTimeNs();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    const std::int64_t elapsed = GetTimeNs() - start;
    EXPECT_GE(elapsed, 5'000'000);
    EXPECT_LT(elapsed, 5'000'000'000);
}
