// The ship's part of a simulation step on a full ship: 60 rooms, 32 effect fields and 100 hull damage markers.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "bench/bench_paths.h"
#include "framework/log/log.h"
#include "framework/math/random.h"
#include "game/model/ship/effect_field.h"
#include "game/model/ship/ship.h"
#include "game/model/world/game_world.h"
#include "game/services/player/player_data.h"
#include "tests/support/crew_test_data.h"
#include "tests/support/ship_test_data.h"

namespace {

// The largest grid: rows of crew homes, hull plates, fuel tanks, kitchens, storerooms and engines,
// a ladder column to walk between them, fields over the homes and damage on the free cells.
// Each run builds its own; support::DestroyTestWorld takes it down.
GAME_CShip& FurnishShip()
{
    vesk::log::SetSink([](vesk::log::Level, std::string_view) {});
    DestroyGameWorld();
    vesk::math::SeedRandom(1);
    vesk::math::MarkRandomClockSeeded();
    CreatePlayerData();
    support::DefineShipTestData(*GetStaticDatabase());
    if (!support::LoadTestRoomScripts(bench_support::ScriptDefinitionsFolder()).empty()) std::abort();
    GAME_CShip* ship = GetGameWorld()->ship.get();
    ship->ChangeShip(MakeTag("SHPL"));
    constexpr std::int32_t kRowKinds[] = {support::kHome,    support::kHullPlate, support::kFuelTank,
                                          support::kKitchen, support::kStorage,   support::kEngine};
    int placed = 0;
    for (std::int32_t y = 0; y < 12 && placed < 60; y += 2) {
        ship->PlaceRoom(0, y, support::kLadder);
        ++placed;
        for (std::int32_t x = 1; x + 1 < GAME_CShipGrid::kMaxWidth && placed < 60; x += 2) {
            if (ship->PlaceRoom(x, y, kRowKinds[(y / 2 + x) % 6]) != nullptr) ++placed;
        }
    }
    for (int i = 0; i < 32; ++i) CreateEffectField(kEffectBuff, 1 + i % 3, support::kBuff, 1, 1 << 30, ship->rooms[i]);
    for (std::int32_t i = 0; i < 100; ++i) ship->AddCellDamage(i % 19, 12 - (i / 19) % 2 * 11 + (i / 38), 1);
    return *ship;
}

void BM_ShipStepFullShip(benchmark::State& state)
{
    GAME_CShip& ship = FurnishShip();
    for (auto _ : state) ship.Update();
    state.counters["rooms"] = static_cast<double>(ship.CountRoomsOnGrid());
    state.counters["fields"] = static_cast<double>(GetEffectFields().size());
    state.counters["markers"] = static_cast<double>(ship.damageMarkers.size());
    support::DestroyTestWorld();
}
BENCHMARK(BM_ShipStepFullShip)->Unit(benchmark::kMicrosecond);

}  // namespace
