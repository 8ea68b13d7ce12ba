// Date-time records emptied or filled from the local clock.
#include "framework/app/date_time.h"

#include "platform/clock.h"

namespace vesk::app {

void InitDateTime(DateTime& dateTime)
{
    dateTime = DateTime{};
    dateTime.dayOfWeek = kDayOfWeekUnset;
}

void GetLocalDateTime(DateTime& dateTime)
{
    const platform::LocalTime now = platform::ReadLocalTime();
    dateTime.year = now.year;
    dateTime.month = now.month;
    dateTime.day = now.day;
    dateTime.hour = now.hour;
    dateTime.minute = now.minute;
    dateTime.second = now.second;
    dateTime.millisecond = now.millisecond;
    dateTime.dayOfWeek = now.dayOfWeek;
}

}  // namespace vesk::app
