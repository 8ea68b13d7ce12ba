// The game left running at x3 from road to road (aim: RSS growth under 5 KB a game hour): crew, enemies, tasks and travel
// stepped frame by frame for game hours, the road's texts confirmed and its questions answered; at each hideout the ship
// arrives (its screen, notice and log line), waits, and leaves by the next road from there as the map's departure does,
// with the autosave a departure makes. The enemies break rooms and sink the ship now and then: as a player would, the
// run builds a broken bridge or engine again and orders a driver once a game over has handed back. It reports the
// resident memory grown a game hour and the time a frame took on average. CI's pass runs 2 game hours;
// VARNOLIS_SOAK_GAME_HOURS=4800 runs 200 game days, and VARNOLIS_SOAK_FULL_SHIP=1 runs the largest game: the larger
// hull furnished to the full, a crew of 128 and every workshop's list filled with repeating crafts.
// VARNOLIS_WORLD_FINGERPRINT=path writes the world at the run's end as a save builds it: with the same hours, two
// builds that must play alike write the same bytes.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "bench/repeatable_run.h"
#include "bench/road_reader.h"
#include "bench/travel_rig.h"
#include "bench/world_fingerprint.h"
#include "game/model/ship/task_manager.h"
#include "game/model/travel/travel_controller.h"
#include "game/services/data/static_database.h"
#include "game/services/save/save_manager.h"
#include "game/services/ui_port/ui_slots.h"
#include "tests/support/busy_road.h"

namespace {

using bench_support::TravelRig;

constexpr double kStepsPerGameHour = 6300.0 / 24.0;
constexpr int kStepsPerFrame = 3;  // speed x3
constexpr int kWarmUpHours = 2;
constexpr int kFramesAtAHideout = 600;
constexpr std::int32_t kFuelAtAHideout = 100000;
constexpr std::uint32_t kSeed = 20240601;

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

// What the ship did on its way.
struct Journey {
    int framesAtHideout = 0;
    int arrivals = 0;
    int autosaves = 0;
    int gameOvers = 0;
    int roomsRebuilt = 0;
    bool gameOverOpen = false;
    std::size_t nextRoad = 0;
    bench_support::RoadReader reader;
};

// At a hideout, the roads from there in turn: the road's far end becomes the destination, the tank is filled.
void LeaveHideout(GAME_CGameWorld& world, Journey& journey)
{
    const GAME_CStaticDatabase* database = GetStaticDatabase();
    const LocationRecord* here = world.travel->GetLocation();
    if (database == nullptr || here == nullptr) return;
    std::vector<std::int32_t> roads;
    database->CollectRoutesFrom(here->hideoutId, roads);
    if (roads.empty()) return;
    std::uint32_t roadId = kNoId;
    const RouteData* road = database->GetRouteDataAt(roads[journey.nextRoad++ % roads.size()], &roadId);
    if (road == nullptr) return;
    StartRoute(*world.travel, &roadId, road->startLocation == here->hideoutId, {}, {});
    world.ship->AddFuel(kFuelAtAHideout);
    ShowNextHideoutNotice(world);
}

// A game over (the hull sunk, or the ship stalled) ends the bridge's driver task, and the enemies can break the
// bridge or the engine: without a player to build them again and order a driver, the ship would stand on the road
// for good.
void KeepShipDriven(GAME_CGameWorld& world, Journey& journey)
{
    const bool gameOverOpen = world.ui->IsOpen(kSlotGameOver);
    if (gameOverOpen && !journey.gameOverOpen) ++journey.gameOvers;
    journey.gameOverOpen = gameOverOpen;
    const GAME_CRouteManager* route = world.travel->routeManager.get();
    if (gameOverOpen || route == nullptr || !route->IsUnderWay()) return;
    const std::size_t rooms = world.ship->rooms.size();
    // A broken room leaves its cells damaged: they are mended before a room can stand there again.
    if (support::FindBridge(*world.ship) == nullptr || rooms < 2) world.ship->ClearDamage();
    GAME_CRoomBase* bridge = support::PlaceDrivingRooms(*world.ship);
    if (world.ship->rooms.size() != rooms) {
        // A driver task still holds the room that broke: the new bridge takes a new one.
        ++journey.roomsRebuilt;
        world.tasks->FinishTasksOfKind(kTaskBridgeDriver);
    }
    if (bridge != nullptr && !world.tasks->HasBridgeDriverTask()) support::OrderBridgeDriver(world, *bridge);
}

// Frames for the game hours given: under way the ship drives; arrived, it waits and leaves again.
void RunGameHours(TravelRig& rig, int hours, Journey& journey)
{
    GAME_CGameWorld& world = *PeekGameWorld();
    const auto frames = static_cast<std::int64_t>(hours * kStepsPerGameHour / kStepsPerFrame);
    for (std::int64_t frame = 0; frame < frames; ++frame) {
        const bool wasSaving = !GetSaveManager()->IsIdle();
        journey.reader.BeforeFrame(world);
        KeepShipDriven(world, journey);
        rig.Frame();
        if (!wasSaving && !GetSaveManager()->IsIdle()) ++journey.autosaves;
        const GAME_CRouteManager* route = world.travel->routeManager.get();
        if (route == nullptr || route->IsUnderWay() || world.travel->GetLocation() == nullptr) continue;
        if (journey.framesAtHideout++ == 0) ++journey.arrivals;
        if (journey.framesAtHideout < kFramesAtAHideout) continue;
        journey.framesAtHideout = 0;
        LeaveHideout(world, journey);
    }
}

void BM_SoakResidentGrowthPerGameHour(benchmark::State& state)
{
    const bench_support::RepeatableRun repeatable(kSeed);
    TravelRig rig({.heavy = std::getenv("VARNOLIS_SOAK_FULL_SHIP") != nullptr});
    if (!rig.Ok()) {
        state.SkipWithError("the road could not be set up");
        return;
    }
    // The game as a player has it once the title is gone: the common screen up, which a hideout's screen stands in for.
    PeekGameWorld()->ui->SetOpen(kSlotCommon, true);
    const int hours = GameHoursToRun();
    Journey journey;
    RunGameHours(rig, kWarmUpHours, journey);
    const std::int64_t before = ResidentBytes();
    const auto started = std::chrono::steady_clock::now();
    for (auto _ : state) RunGameHours(rig, hours, journey);
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - started;
    const double grown = static_cast<double>(ResidentBytes() - before);
    const double gameHours = static_cast<double>(hours) * static_cast<double>(state.iterations());
    state.counters["rss_kb_per_game_hour"] = grown / 1024.0 / gameHours;
    state.counters["game_hours"] = gameHours;
    state.counters["frame_ms"] = took.count() / (gameHours * kStepsPerGameHour / kStepsPerFrame);
    state.counters["arrivals"] = journey.arrivals;
    state.counters["autosaves"] = journey.autosaves;
    state.counters["game_overs"] = journey.gameOvers;
    state.counters["rooms_rebuilt"] = journey.roomsRebuilt;
    if (const char* path = std::getenv("VARNOLIS_WORLD_FINGERPRINT")) {
        if (!bench_support::WriteWorldFingerprint(path)) state.SkipWithError("the world's fingerprint could not be written");
    }
}
BENCHMARK(BM_SoakResidentGrowthPerGameHour)->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
