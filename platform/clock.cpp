// The monotonic clock, sleeps to a deadline, the high-resolution counter and local calendar time.
#include "platform/clock.h"

#include <cerrno>
#include <ctime>
#include <limits>

namespace platform {

namespace {

constexpr std::int64_t kNanosecondsPerSecond = 1'000'000'000;

std::int64_t ToNanoseconds(const timespec& time)
{
    return static_cast<std::int64_t>(time.tv_sec) * kNanosecondsPerSecond + time.tv_nsec;
}

}  // namespace

std::int64_t MonotonicNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return ToNanoseconds(now);
}

void SleepUntilNanoseconds(std::int64_t deadline)
{
    if (deadline <= 0) return;
    timespec until{};
    until.tv_sec = static_cast<time_t>(deadline / kNanosecondsPerSecond);
    until.tv_nsec = static_cast<long>(deadline % kNanosecondsPerSecond);
    // A signal cuts the sleep short; sleep on to the same deadline.
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr) == EINTR) {
    }
}

// The monotonic clock already counts nanoseconds, so the counter is that clock.
std::int64_t ReadCounter()
{
    return MonotonicNanoseconds();
}

std::int64_t CounterFrequency()
{
    return kNanosecondsPerSecond;
}

std::int64_t CounterToNanoseconds(std::int64_t counter, std::int64_t frequency)
{
    if (frequency <= 0) return 0;
    const __int128 nanoseconds = static_cast<__int128>(counter) * kNanosecondsPerSecond / frequency;
    constexpr auto kMax = std::numeric_limits<std::int64_t>::max();
    constexpr auto kMin = std::numeric_limits<std::int64_t>::min();
    if (nanoseconds > kMax) return kMax;
    if (nanoseconds < kMin) return kMin;
    return static_cast<std::int64_t>(nanoseconds);
}

LocalTime ReadLocalTime()
{
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    const time_t seconds = now.tv_sec;
    tm local{};
    LocalTime result;
    if (localtime_r(&seconds, &local) == nullptr) return result;

    result.year = static_cast<std::uint32_t>(local.tm_year + 1900);
    result.month = static_cast<std::uint32_t>(local.tm_mon + 1);
    result.day = static_cast<std::uint32_t>(local.tm_mday);
    result.hour = static_cast<std::uint32_t>(local.tm_hour);
    result.minute = static_cast<std::uint32_t>(local.tm_min);
    result.second = static_cast<std::uint32_t>(local.tm_sec);
    result.millisecond = static_cast<std::uint32_t>(now.tv_nsec / 1'000'000);
    result.dayOfWeek = static_cast<std::uint32_t>(local.tm_wday);
    return result;
}

}  // namespace platform
