// The field objects' part of a simulation step with full pools, and the save and load of their slot records.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

#include "bench/bench_paths.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/ship/ship.h"
#include "game/model/world/game_world.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "tests/support/crew_test_data.h"

namespace {

// The largest grid at rest: 128 crew members standing about, an item on every one of its 247
// cells, 128 drop items waiting far down the route, 128 sand pillars standing still and 16 enemies.
// Each run builds its own; support::DestroyTestWorld takes it down.
GAME_CFieldObjectManager& FillField()
{
    GAME_CGameWorld* world = &support::MakeCrewTestWorld(bench_support::ScriptDefinitionsFolder(), MakeTag("SHPL"));
    GAME_CShip& ship = *world->ship;
    GAME_CFieldObjectManager& made = *world->fieldObjects;
    for (int i = 0; i < 128; ++i) {
        GAME_CObjectActor* actor = made.AcquireActorObject();
        ActorSetupRecord setup;
        ship.GetCellFloorPoint(i % 19, i / 19, &setup.x, &setup.y, false);
        actor->Init(setup);
    }
    for (int y = 0; y < 13; ++y) {
        for (int x = 0; x < 19; ++x) made.DropItemOnCell(support::kFood, 1, x, y);
    }
    for (int i = 0; i < 128; ++i) made.AcquireDropItem()->Init({support::kFood, 1, 100000 + i});
    for (int i = 0; i < 128; ++i) made.AcquireSandPillar()->Start(500 + i, 0, 1.0f);
    for (int i = 0; i < 16; ++i) made.AcquireEnemyObject()->Init({support::kTestEnemy, {i * 10, i * 10}});
    // Let the items land and ask for their carriers once; at rest they ask no more.
    for (int step = 0; step < 40; ++step) made.Update();
    for (GAME_CObjectItem* item : made.items) item->requestTimer = 0;
    world->tasks->Clear();
    return made;
}

void BM_FieldUpdateFullPools(benchmark::State& state)
{
    GAME_CFieldObjectManager& field = FillField();
    for (auto _ : state) field.Update();
    state.counters["crew"] = static_cast<double>(field.crew.size());
    state.counters["items"] = static_cast<double>(field.items.size());
    support::DestroyTestWorld();
}
BENCHMARK(BM_FieldUpdateFullPools)->Unit(benchmark::kMicrosecond);

void BM_FieldSaveAndLoad(benchmark::State& state)
{
    GAME_CFieldObjectManager& field = FillField();
    std::vector<std::uint8_t> slot(save_layout::kSlotSize, 0);
    InitSlotRecord(slot);
    for (auto _ : state) {
        field.SaveToSlot(slot);
        field.LoadFromSlot(slot);
    }
    state.counters["crew"] = static_cast<double>(field.crew.size());
    state.counters["items"] = static_cast<double>(field.items.size());
    support::DestroyTestWorld();
}
BENCHMARK(BM_FieldSaveAndLoad)->Unit(benchmark::kMicrosecond);

}  // namespace
