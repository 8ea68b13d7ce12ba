// The simulation step of the largest game, nothing drawn: the larger hull furnished to the full with its 128 crew and
// every workshop's list filled with repeating crafts, under way on the busy road. Aim: under 0.5 ms, so that x3 (three
// steps a frame) stays a small share of a frame's 16.7 ms beside the drawing.
// VARNOLIS_WORLD_FINGERPRINT=path writes the world after the run (the settling frames and the steps counted) as a
// save builds it: the run is the same every time, so a change that must not alter the game is checked by comparing
// the files written before and after it.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>

#include "bench/repeatable_run.h"
#include "bench/road_reader.h"
#include "bench/travel_rig.h"
#include "bench/world_fingerprint.h"
#include "game/model/world/game_world.h"
#include "game/services/ui_port/ui_slots.h"

namespace {

constexpr std::uint32_t kSeed = 20240601;
constexpr int kSettlingFrames = 600;  // at x3: the crew spread out and take up their crafts, the enemies come in sight

// One step of the world as the main game's frame makes it. Kept a call of its own, so that callgrind can count it
// alone (--collect-atstart=no --toggle-collect='*StepWholeWorld*'): 300 steps.
[[gnu::noinline]] void StepWholeWorld(GAME_CGameWorld& world) { world.Step(); }

void BM_FullShipWorldStep(benchmark::State& state)
{
    const bench_support::RepeatableRun repeatable(kSeed);
    bench_support::TravelRig rig({.heavy = true, .shown = false});
    if (!rig.Ok()) {
        state.SkipWithError("the road could not be set up");
        return;
    }
    GAME_CGameWorld& world = *PeekGameWorld();
    world.ui->SetOpen(kSlotCommon, true);
    world.timeScale->speed = 3.0f;
    bench_support::PlayReadingTheRoad(rig, world, kSettlingFrames);
    for (auto _ : state) StepWholeWorld(world);
    state.counters["crew"] = static_cast<double>(world.fieldObjects->crew.size());
    state.counters["tasks"] = static_cast<double>(world.tasks->tasks.size());
    if (const char* path = std::getenv("VARNOLIS_WORLD_FINGERPRINT")) {
        if (!bench_support::WriteWorldFingerprint(path)) state.SkipWithError("the world's fingerprint could not be written");
    }
}
BENCHMARK(BM_FullShipWorldStep)->Iterations(300)->Unit(benchmark::kMillisecond);

}  // namespace
