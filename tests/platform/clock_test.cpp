// The clock: exact counter conversion, a monotonic clock and local time.
#include <cstdint>
#include <limits>

#include <gtest/gtest.h>

#include "platform/clock.h"

using platform::CounterToNanoseconds;

TEST(Clock, CounterConversionIsExactForCountersFarAbove32Bits)
{
    // Ten days of a 10 MHz counter plus a fraction: counter * 10^9 overflows 64 bits.
    constexpr std::int64_t tenMHz = 10'000'000;
    constexpr std::int64_t tenDays = 864'000;
    EXPECT_EQ(CounterToNanoseconds(tenMHz * tenDays + 1'234'567, tenMHz), tenDays * 1'000'000'000 + 123'456'700);

    // A year of a 3 GHz counter; 2 ticks short of a whole second rounds down.
    constexpr std::int64_t threeGHz = 3'000'000'000;
    constexpr std::int64_t year = 31'536'000;
    EXPECT_EQ(CounterToNanoseconds(threeGHz * year, threeGHz), year * 1'000'000'000);
    EXPECT_EQ(CounterToNanoseconds(threeGHz * year - 2, threeGHz), year * 1'000'000'000 - 1);
    EXPECT_EQ(CounterToNanoseconds((std::int64_t{1} << 40) + 3, threeGHz), 366'503'875'926);

    EXPECT_EQ(CounterToNanoseconds(std::int64_t{1} << 62, std::int64_t{1} << 62), 1'000'000'000);
}

TEST(Clock, CounterConversionHandlesDegenerateInput)
{
    EXPECT_EQ(CounterToNanoseconds(12345, 0), 0);
    EXPECT_EQ(CounterToNanoseconds(12345, -5), 0);
    constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
    EXPECT_EQ(CounterToNanoseconds(kMax, 1), kMax);
}

TEST(Clock, MonotonicClockNeverGoesBack)
{
    std::int64_t previous = platform::MonotonicNanoseconds();
    for (int i = 0; i < 1000; ++i) {
        const std::int64_t now = platform::MonotonicNanoseconds();
        ASSERT_GE(now, previous);
        previous = now;
    }
    EXPECT_GT(platform::CounterFrequency(), 0);
}

TEST(Clock, LocalTimeFieldsAreInRange)
{
    const platform::LocalTime now = platform::ReadLocalTime();
    EXPECT_GE(now.year, 2020u);
    EXPECT_GE(now.month, 1u);
    EXPECT_LE(now.month, 12u);
    EXPECT_GE(now.day, 1u);
    EXPECT_LE(now.day, 31u);
    EXPECT_LE(now.hour, 23u);
    EXPECT_LE(now.minute, 59u);
    EXPECT_LE(now.second, 60u);
    EXPECT_LE(now.millisecond, 999u);
    EXPECT_LE(now.dayOfWeek, 6u);
}
