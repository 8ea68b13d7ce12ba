// Monotonic nanoseconds from the platform's high-resolution counter.
#include "framework/app/time_ns.h"

#include "platform/clock.h"

namespace vesk::app {

std::int64_t GetTimeNs()
{
    return platform::CounterToNanoseconds(platform::ReadCounter(), platform::CounterFrequency());
}

}  // namespace vesk::app
