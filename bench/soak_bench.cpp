// The game left running on a busy road at x3 (aim: RSS growth under 5 KB a game hour): crew, enemies, tasks and travel
// stepped frame by frame for game hours; the road starts again each game day. It reports the resident memory grown a game
// hour. CI's pass runs 2 game hours; VARNOLIS_SOAK_GAME_HOURS=4800 runs 200 game days.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "bench/travel_rig.h"
#include "game/model/travel/travel_controller.h"

namespace {

using bench_support::TravelRig;

constexpr double kStepsPerGameHour = 6300.0 / 24.0;
constexpr int kStepsPerFrame = 3;  // speed x3
constexpr int kWarmUpHours = 2;

// The resident set of this process in bytes, from the kernel's page counts.
std::int64_t ResidentBytes()
{
    std::ifstream statm("/proc/self/statm");
    std::int64_t size = 0;
    std::int64_t resident = 0;
    statm >> size >> resident;
    return resident * static_cast<std::int64_t>(sysconf(_SC_PAGESIZE));
}

int GameHoursToRun()
{
    const char* hours = std::getenv("VARNOLIS_SOAK_GAME_HOURS");
    const int asked = hours != nullptr ? std::atoi(hours) : 0;
    return asked > 0 ? asked : 2;
}

// Frames for the game hours given; each game day the road starts again, the other way.
void RunGameHours(TravelRig& rig, int hours, int& day)
{
    const auto frames = static_cast<std::int64_t>(hours * kStepsPerGameHour / kStepsPerFrame);
    const auto framesPerDay = static_cast<std::int64_t>(24 * kStepsPerGameHour / kStepsPerFrame);
    for (std::int64_t frame = 0; frame < frames; ++frame) {
        rig.Frame();
        if ((frame + 1) % framesPerDay == 0) {
            constexpr std::uint32_t kRoad = 1;
            ++day;
            StartRoute(*PeekGameWorld()->travel, &kRoad, day % 2 == 0, {}, {});
        }
    }
}

void BM_SoakResidentGrowthPerGameHour(benchmark::State& state)
{
    TravelRig rig;
    if (!rig.Ok()) {
        state.SkipWithError("the road could not be set up");
        return;
    }
    const int hours = GameHoursToRun();
    int day = 0;
    RunGameHours(rig, kWarmUpHours, day);
    const std::int64_t before = ResidentBytes();
    for (auto _ : state) RunGameHours(rig, hours, day);
    const double grown = static_cast<double>(ResidentBytes() - before);
    state.counters["rss_kb_per_game_hour"] = grown / 1024.0 / (static_cast<double>(hours) * static_cast<double>(state.iterations()));
    state.counters["game_hours"] = static_cast<double>(hours) * static_cast<double>(state.iterations());
}
BENCHMARK(BM_SoakResidentGrowthPerGameHour)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
