// Monotonic time in nanoseconds, for measuring spans.
#pragma once

#include <cstdint>

namespace vesk::app {

// Monotonic time in nanoseconds, for measuring spans (not wall time).
std::int64_t GetTimeNs();

}  // namespace vesk::app
