// Time: a monotonic clock and sleeps to a deadline, the high-resolution counter, and local calendar time.
#pragma once

#include <cstdint>

namespace platform {

// Nanoseconds on a clock that never goes back (not wall time).
std::int64_t MonotonicNanoseconds();

// Sleeps until MonotonicNanoseconds() reaches the deadline; returns at once
// when it has passed.
void SleepUntilNanoseconds(std::int64_t deadline);

// The high-resolution counter and its ticks per second.
std::int64_t ReadCounter();
std::int64_t CounterFrequency();

// Counter ticks to nanoseconds, exact for every counter value. Multiplying the
// counter by 10^9 in 64 bits first would overflow after minutes of uptime on a
// GHz counter, so the product is kept in 128 bits. A result beyond the 64-bit
// range saturates; a frequency of 0 or below gives 0.
std::int64_t CounterToNanoseconds(std::int64_t counter, std::int64_t frequency);

// Local calendar time, fields as people read them.
struct LocalTime {
    std::uint32_t year = 0;         // e.g. 2024
    std::uint32_t month = 0;        // 1..12
    std::uint32_t day = 0;          // 1..31
    std::uint32_t hour = 0;         // 0..23
    std::uint32_t minute = 0;       // 0..59
    std::uint32_t second = 0;       // 0..60 (leap second)
    std::uint32_t millisecond = 0;  // 0..999
    std::uint32_t dayOfWeek = 0;    // 0 Sunday .. 6 Saturday
};

LocalTime ReadLocalTime();

}  // namespace platform
