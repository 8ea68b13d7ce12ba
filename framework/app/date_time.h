// The calendar time stamp that saves keep, and its fill from the local clock.
#pragma once

#include <cstdint>

namespace vesk::app {

// A calendar time stamp as saves keep it: eight 32-bit fields in this order.
struct DateTime {
    std::uint32_t year;
    std::uint32_t month;        // 1..12
    std::uint32_t day;          // 1..31
    std::uint32_t hour;
    std::uint32_t minute;
    std::uint32_t second;
    std::uint32_t millisecond;
    std::uint32_t dayOfWeek;    // 0 Sunday .. 6 Saturday; kDayOfWeekUnset when empty
};

inline constexpr std::uint32_t kDayOfWeekUnset = 7;

// Empties the record: every field 0 and the day of week unset.
void InitDateTime(DateTime& dateTime);

// Fills every field from the local clock.
void GetLocalDateTime(DateTime& dateTime);

}  // namespace vesk::app
