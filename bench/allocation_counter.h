// A count of the general allocator's allocations, so that a benchmark can show a steady-state frame asks for none.
#pragma once

#include <cstddef>

namespace bench_support {

// Allocations through new since the program started; always 0 in the sanitizer build, which keeps its own allocator.
std::size_t AllocationCount();

}  // namespace bench_support
