// The load preview of the save-slot screen: a full slot set up as the running game within one frame.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "bench/bench_paths.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/session/play_session.h"
#include "game/model/ship/ship.h"
#include "game/model/world/game_world.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "game/services/save/save_manager.h"
#include "tests/support/crew_test_data.h"

namespace {

// A slot of the largest grid with rooms wherever they fit, 128 crew members and an item on every
// one of its 247 cells, written as a save would write it.
const std::vector<std::uint8_t>& FullSlot()
{
    static const std::vector<std::uint8_t> slot = [] {
        GAME_CGameWorld& world = support::MakeCrewTestWorld(bench_support::ScriptDefinitionsFolder(), MakeTag("SHPL"));
        GAME_CShip& ship = *world.ship;
        constexpr std::int32_t kKinds[] = {support::kHome, support::kHullPlate, support::kFuelTank,
                                           support::kKitchen, support::kStorage, support::kEngine, support::kLadder};
        for (std::int32_t y = 0; y < GAME_CShipGrid::kMaxHeight; ++y) {
            for (std::int32_t x = 0; x < GAME_CShipGrid::kMaxWidth; ++x) {
                for (std::int32_t kind : kKinds) {
                    if (ship.PlaceRoom(x, y, kind) != nullptr) break;
                }
            }
        }
        GAME_CFieldObjectManager& field = *world.fieldObjects;
        for (int i = 0; i < 128; ++i) {
            GAME_CObjectActor* actor = field.AcquireActorObject();
            ActorSetupRecord setup;
            ship.GetCellFloorPoint(i % 19, i / 19, &setup.x, &setup.y, false);
            actor->Init(setup);
        }
        for (std::int32_t y = 0; y < 13; ++y) {
            for (std::int32_t x = 0; x < 19; ++x) field.DropItemOnCell(support::kFood, 1, x, y);
        }
        std::vector<std::uint8_t> made(save_layout::kSlotSize, 0);
        InitNewGameSlot(made, false);
        std::memcpy(GetWorkingSlot().data(), made.data(), made.size());
        StoreRunningGame(made);
        return made;
    }();
    return slot;
}

void BM_PreviewSetUpOfAFullSlot(benchmark::State& state)
{
    std::vector<std::uint8_t> slot = FullSlot();
    const std::span<std::uint8_t> system = GetWorkingSystemRecord();
    for (auto _ : state) SetupPlaySession(slot, system);
    const GAME_CGameWorld& world = *GetGameWorld();
    state.counters["rooms"] = static_cast<double>(world.ship->CountRoomsOnGrid());
    state.counters["crew"] = static_cast<double>(world.fieldObjects->crew.size());
    state.counters["items"] = static_cast<double>(world.fieldObjects->items.size());
}
BENCHMARK(BM_PreviewSetUpOfAFullSlot)->Unit(benchmark::kMillisecond);

}  // namespace
