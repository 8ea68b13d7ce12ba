// Travel frames of the running game, headless: three world steps at speed x3 and the frame drawn with the background, shown
// in a 1280 x 720 or 1920 x 1080 window or taken no further than the back buffer. The busy frame (aim: under 1.2 / 1.5 ms
// shown) has 40 crew, 16 enemies and 128 background objects on the road; the heavy one (aim: under 2 / 2.5 ms) adds a ship
// of 41 rooms, 128 crew and workshops full of crafts, at the widest zoom.
#include <benchmark/benchmark.h>

#include "bench/travel_rig.h"

namespace {

using bench_support::TravelRig;
using bench_support::TravelRigOptions;

void RunTravelFrames(benchmark::State& state, bool heavy)
{
    TravelRigOptions options;
    options.heavy = heavy;
    options.windowWidth = static_cast<int>(state.range(0));
    options.windowHeight = static_cast<int>(state.range(1));
    options.shown = state.range(2) != 0;
    TravelRig rig(options);
    if (!rig.Ok()) {
        state.SkipWithError("the road could not be set up");
        return;
    }
    for (auto _ : state) rig.Frame();
    // Both frames report the same counters, so that a table of both (CSV) can be written.
    state.counters["tasks"] = rig.Tasks();
}

void BM_BusyTravelFrame(benchmark::State& state) { RunTravelFrames(state, false); }
void BM_HeavyTravelFrame(benchmark::State& state) { RunTravelFrames(state, true); }

void WindowSizes(benchmark::internal::Benchmark* benchmark)
{
    benchmark->ArgsProduct({{1280}, {720}, {0, 1}})
        ->ArgsProduct({{1920}, {1080}, {0, 1}})
        ->ArgNames({"width", "height", "shown"})
        ->Iterations(150)
        ->Unit(benchmark::kMillisecond);
}
BENCHMARK(BM_BusyTravelFrame)->Apply(WindowSizes);
BENCHMARK(BM_HeavyTravelFrame)->Apply(WindowSizes);

}  // namespace
