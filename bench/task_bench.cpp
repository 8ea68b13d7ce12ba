// The crew at work: a world step of the field objects and tasks with 128 crew and 1235 tasks (aim: under 250 µs), and a
// path planned over 12 row changes with its cost (aim: under 1 µs each).
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "bench/bench_paths.h"
#include "game/model/object/actor_ai_base.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_actor.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/task_manager.h"
#include "game/model/world/game_world.h"
#include "game/services/data/static_lookups.h"
#include "tests/support/task_test_data.h"

namespace {

// The test world, made afresh for one benchmark (whatever an earlier one left) and gone at its end.
class TaskWorldRig {
public:
    explicit TaskWorldRig(std::uint32_t shipTag) : world_(MakeFresh(shipTag)) {}

    ~TaskWorldRig() { support::DestroyTestWorld(); }

    TaskWorldRig(const TaskWorldRig&) = delete;
    TaskWorldRig& operator=(const TaskWorldRig&) = delete;

    GAME_CGameWorld& World() const { return world_; }

private:
    static GAME_CGameWorld& MakeFresh(std::uint32_t shipTag)
    {
        support::DestroyTestWorld();
        return support::MakeTaskTestWorld(bench_support::ScriptDefinitionsFolder(), shipTag);
    }

    GAME_CGameWorld& world_;
};

// Every cell of the largest grid a one-room crew home with five long crafts bound, 128 crew
// standing about: the first craft of each room works or waits for crew, the four behind it wait
// for the room.
void BM_TaskWorldStep(benchmark::State& state)
{
    TaskWorldRig rig(MakeTag("SHPL"));
    GAME_CGameWorld& world = rig.World();
    GAME_CShip& ship = *world.ship;
    const TaskData* craft = FindTaskData(support::kIdleCraftTask);
    for (std::int32_t y = 0; y < ship.grid.height; ++y) {
        for (std::int32_t x = 0; x < ship.grid.width; ++x) {
            const GAME_CRoomBase* room = ship.PlaceRoom(x, y, support::kHome);
            if (room == nullptr || craft == nullptr) {
                state.SkipWithError("the ship could not be furnished");
                return;
            }
            for (int i = 0; i < 5; ++i) {
                GAME_CTaskBase* task = GAME_CTaskBase::CreateFromRequest(MakeItemCraftRequest(*craft, ship.GetRoomIndex(room), 1));
                if (task != nullptr) task->repeat = 1;
            }
        }
    }
    for (int i = 0; i < 128; ++i) support::AddTestCrew(world, i % ship.grid.width, i / ship.grid.width);
    for (int step = 0; step < 60; ++step) {
        world.fieldObjects->Update();
        world.tasks->Update();
    }
    for (auto _ : state) {
        world.fieldObjects->Update();
        world.tasks->Update();
    }
    std::int64_t manned = 0;
    for (const GAME_CTaskBase* task : world.tasks->tasks) manned += task != nullptr && !task->crew.empty() ? 1 : 0;
    state.counters["tasks"] = static_cast<double>(world.tasks->tasks.size());
    state.counters["crew"] = static_cast<double>(world.fieldObjects->crew.size());
    state.counters["manned"] = static_cast<double>(manned);
}
BENCHMARK(BM_TaskWorldStep)->Unit(benchmark::kMicrosecond);

// Ladders (two cells high) join rows 1 and 2, 3 and 4, ... 11 and 12 at alternate ends of the
// largest grid; a crew member stands in the top left corner.
GAME_CActorAIBase* LadderShipWalker(GAME_CGameWorld& world)
{
    GAME_CShip& ship = *world.ship;
    for (std::int32_t y = 1; y < 12; y += 2) {
        if (ship.PlaceRoom(y % 4 == 1 ? 17 : 1, y, support::kLadder) == nullptr) return nullptr;
    }
    GAME_CObjectActor* walker = support::AddTestCrew(world, 0, 0);
    return walker != nullptr ? walker->ai : nullptr;
}

// The path from the top left corner to the bottom right one: 12 row changes, crossing the ship
// between each pair of them.
void BM_PlanPathTwelveRows(benchmark::State& state)
{
    TaskWorldRig rig(MakeTag("SHPL"));
    GAME_CActorAIBase* ai = LadderShipWalker(rig.World());
    if (ai == nullptr) {
        state.SkipWithError("the ladder ship could not be made");
        return;
    }
    ai->startColumn = 0;
    ai->startRow = 0;
    ai->targetColumn = 18;
    ai->targetRow = 12;
    for (auto _ : state) benchmark::DoNotOptimize(ai->PlanPath());
    std::int64_t entries = 0;
    while (entries < static_cast<std::int64_t>(GAME_CActorAIBase::kPathEntries) &&
           ai->PathColumn(static_cast<std::size_t>(entries)) != GAME_CActorAIBase::kNoCell) {
        ++entries;
    }
    state.counters["entries"] = static_cast<double>(entries);
}
BENCHMARK(BM_PlanPathTwelveRows)->Unit(benchmark::kNanosecond);

// The walking cost of the same way.
void BM_PathCostTwelveRows(benchmark::State& state)
{
    TaskWorldRig rig(MakeTag("SHPL"));
    const GAME_CActorAIBase* ai = LadderShipWalker(rig.World());
    if (ai == nullptr) {
        state.SkipWithError("the ladder ship could not be made");
        return;
    }
    std::int32_t cost = 0;
    for (auto _ : state) {
        cost = ai->GetPathCostFromActor(18, 12);
        benchmark::DoNotOptimize(cost);
    }
    state.counters["cost"] = static_cast<double>(cost);
}
BENCHMARK(BM_PathCostTwelveRows)->Unit(benchmark::kNanosecond);

}  // namespace
