// Random bytes in the ship's areas of a game slot (room records, ship header, hull damage, engine modes, the store record),
// read into a small world, stepped and written again: the ship must come out whole.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "framework/log/log.h"
#include "framework/math/random.h"
#include "game/model/stores/ammo_storage.h"
#include "game/model/stores/food_storage.h"
#include "game/services/player/player_data.h"
#include "game/model/stores/store_record.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "game/model/world/game_world.h"
#include "game/model/ship/ship.h"
#include "tests/support/ship_test_data.h"
#include "fuzz/slot_areas.h"

namespace {

using namespace save_layout;

constexpr fuzz_support::SlotArea kAreas[] = {
    {slot::kRooms, slot::kRoomRecordCount * slot::kRoomRecordSize},
    {slot::kShipTag, 8},
    {slot::kDamageMarkers, slot::kDamageMarkerCount * slot::kDamageMarkerSize},
    {slot::kEngineModes, slot::kEngineModesSize},
    {slot::kStore, slot::kStoreSize},
};

// A world with the test data and a slot that holds a furnished ship.
const std::vector<std::uint8_t>& PrepareWorld()
{
    static const std::vector<std::uint8_t> slot = [] {
        vesk::log::SetSink([](vesk::log::Level, std::string_view) {});
        vesk::math::SeedRandom(1);
        vesk::math::MarkRandomClockSeeded();
        CreatePlayerData();
        support::DefineShipTestData(*GetStaticDatabase());
        if (!support::LoadTestRoomScripts(VARNOLIS_SOURCE_DIR "/data/script/defs").empty()) std::abort();
        GAME_CShip& ship = *GetGameWorld()->ship;
        ship.ChangeShip(MakeTag("SHP2"));
        ship.PlaceRoom(0, 0, support::kStorage);
        ship.PlaceRoom(1, 0, support::kKitchen);
        ship.PlaceRoom(3, 0, support::kTurret);
        ship.PlaceRoom(4, 0, support::kLadder);
        ship.PlaceRoom(5, 2, support::kEngine);
        ship.AddCellDamage(8, 1, 20);
        std::vector<std::uint8_t> record(kSlotSize, 0);
        InitSlotRecord(record);
        ship.WriteSaveRecord(record);
        WriteStoreRecord(record);
        return record;
    }();
    return slot;
}

// Every listed room stands on the grid, and every cell names a listed room that covers it.
void CheckShip(const GAME_CShip& ship)
{
    for (std::size_t n = 0; n < ship.rooms.size(); ++n) {
        const GAME_CRoomBase* room = ship.rooms[n];
        if (room == nullptr || !ship.grid.IsInside(room->gridX, room->gridY)) std::abort();
    }
    for (int y = 0; y < GAME_CShipGrid::kMaxHeight; ++y) {
        for (int x = 0; x < GAME_CShipGrid::kMaxWidth; ++x) {
            const GAME_CShipGrid::Cell* cell = ship.grid.GetCell(x, y);
            if (!cell->HoldsRoom()) continue;
            const GAME_CRoomBase* room = ship.GetRoom(cell->room);
            if (room == nullptr || x < room->gridX || y < room->gridY || x >= room->gridX + room->width ||
                y >= room->gridY + room->height) {
                std::abort();
            }
        }
    }
    if (ship.fuel < 0 || ship.fuel > std::max(0, ship.fuelCapacity) || ship.fuelRate < 1) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1) return 0;
    std::vector<std::uint8_t> record = PrepareWorld();
    fuzz_support::OverwriteArea(record, kAreas, data, size);

    GAME_CShip& ship = *GetGameWorld()->ship;
    GetPlayerData()->ClearInventories();
    ClearFoodStorageList();
    ClearAmmoStorageList();
    ship.BuildLayout(record);
    ReadStoreRecord(record);
    CheckShip(ship);
    for (int step = 0; step < 3; ++step) ship.Update();
    CheckShip(ship);
    std::vector<std::uint8_t> again(kSlotSize, 0);
    ship.WriteSaveRecord(again);
    WriteStoreRecord(again);
    return 0;
}
