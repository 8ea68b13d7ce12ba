// A count of the general allocator's allocations, so that a benchmark can show a steady-state frame asks for none.
#pragma once

#include <benchmark/benchmark.h>

#include <cstddef>

namespace bench_support {

// Allocations through new since the program started; always 0 in the sanitizer build, which keeps its own allocator.
std::size_t AllocationCount();

// The benchmark's loop over frame(), its allocations averaged into the "allocations/frame" counter; flush() runs
// after each frame outside the timing, for the rasterizer's work that the frame only queues.
template <typename Frame, typename Flush>
void TimeFramesCountingAllocations(benchmark::State& state, Frame&& frame, Flush&& flush)
{
    std::size_t allocations = 0;
    for (auto _ : state) {
        const std::size_t before = AllocationCount();
        frame();
        allocations += AllocationCount() - before;
        state.PauseTiming();
        flush();
        state.ResumeTiming();
    }
    state.counters["allocations/frame"] =
        benchmark::Counter(static_cast<double>(allocations), benchmark::Counter::kAvgIterations);
}

}  // namespace bench_support
