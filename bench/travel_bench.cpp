// A busy travel frame of the running game (aim: under 2 ms CPU on one core): three world steps at speed x3 with 40 crew, 16
// enemies and 128 background objects on the road, and the frame drawn with the background. Headless.
#include <benchmark/benchmark.h>

#include "bench/travel_rig.h"

namespace {

using bench_support::TravelRig;

void BM_BusyTravelFrame(benchmark::State& state)
{
    TravelRig rig;
    if (!rig.Ok()) {
        state.SkipWithError("the road could not be set up");
        return;
    }
    for (auto _ : state) rig.Frame();
}
BENCHMARK(BM_BusyTravelFrame)->Iterations(300)->Unit(benchmark::kMillisecond);

}  // namespace
