// Rooms on the ship grid: placing and removing them renumbers the cells, refunds materials, keeps each store with its room and recomputes the ship's stats; engines drive the speed; a changed ship keeps what its rooms took.
#include <gtest/gtest.h>

#include <algorithm>

#include "game/services/data/tag.h"
#include "game/services/player/inventory.h"
#include "game/services/player/player_data.h"
#include "game/model/stores/food_storage.h"
#include "game/model/world/game_world.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/task_base.h"
#include "tests/support/ship_world.h"

namespace {

using namespace support;

class ShipRooms : public ShipWorld {
protected:
    std::uint32_t CellRoom(int x, int y) { return Ship().grid.GetCell(x, y)->room; }

    // The item objects on the floor: {id, count} in list order.
    std::vector<std::pair<std::uint32_t, std::int32_t>> FloorItems()
    {
        std::vector<std::pair<std::uint32_t, std::int32_t>> items;
        for (const GAME_CObjectItem* item : World().fieldObjects->items) items.emplace_back(item->itemId, item->count);
        return items;
    }
};

TEST_F(ShipRooms, PlacingAndRemovingRoomsRenumbersCellsRefundsMaterialsAndRecomputesStats)
{
    GAME_CShip& ship = Ship();
    Place(kHullPlate, 0, 2);
    Place(kFuelTank, 1, 2);
    Place(kEngine, 3, 2);
    Place(kKitchen, 5, 2);
    EXPECT_EQ(ship.hullMax, 350);
    EXPECT_EQ(ship.fuelCapacity, 500);
    EXPECT_EQ(CellRoom(3, 2), 2u);
    EXPECT_EQ(CellRoom(6, 2), 3u);
    EXPECT_EQ(CellRoom(2, 2), GAME_CShipGrid::kNoRoom);

    ship.RemoveRoom(1);
    EXPECT_EQ(ship.CountRoomsOnGrid(), 3);
    EXPECT_EQ(CellRoom(1, 2), GAME_CShipGrid::kNoRoom);
    EXPECT_EQ(CellRoom(4, 2), 1u);
    EXPECT_EQ(CellRoom(5, 2), 2u);
    EXPECT_EQ(ship.GetRoomAtCell(5, 2)->kind, kKitchen);
    EXPECT_EQ(ship.fuelCapacity, 300);

    // The hull plate took 3 of a material stacking 10 and 2 of one whose stack limit is 0: they
    // come back as one stack of 3 and two of 1, on free cells near it.
    ship.RemoveRoom(0);
    EXPECT_EQ(ship.hullMax, 300);
    EXPECT_EQ(CellRoom(3, 2), 0u);
    const auto items = FloorItems();
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[0], std::make_pair(kMaterial, 3));
    EXPECT_EQ(items[1], std::make_pair(kUnstackable, 1));
    EXPECT_EQ(items[2], std::make_pair(kUnstackable, 1));
    EXPECT_EQ(World().fieldObjects->items[0]->cellX, 0);
    EXPECT_EQ(World().fieldObjects->items[0]->cellY, 2);
    EXPECT_EQ(ship.freeRooms.size(), static_cast<std::size_t>(GAME_CShip::kRoomPoolSize - 2));
}

TEST_F(ShipRooms, RoomsRemovedInTheSameStepTakeOnlyTheirOwnStoresWithThem)
{
    GAME_CShip& ship = Ship();
    GAME_CRoomBase& tank = Place(kFuelTank, 0, 2);
    GAME_CRoomBase& kept = Place(kKitchen, 1, 2);
    GAME_CRoomBase& lost = Place(kKitchen, 3, 2);
    for (int i = 0; i < 2; ++i) FindFoodStorage(ship.GetRoomIndex(&kept))->AddOne();
    FindFoodStorage(ship.GetRoomIndex(&lost))->AddOne();

    // Once the tank has gone the kept kitchen has the number the lost one's store was made for.
    tank.removeRequested = true;
    lost.removeRequested = true;
    StepShip(1);
    ASSERT_EQ(ship.CountRoomsOnGrid(), 1);
    const GAME_CFoodStorage* store = FindFoodStorage(0);
    ASSERT_NE(store, nullptr);
    EXPECT_EQ(store->GetRoom(), &kept);
    EXPECT_EQ(store->GetCount(), 2);
}

TEST_F(ShipRooms, SpeedComesFromConnectedEnginesOnly)
{
    GAME_CShip& ship = Ship();
    Place(kHullPlate, 0, 2);
    GAME_CRoomBase& engine = Place(kEngine, 3, 2);
    GAME_CRoomBase& spare = Place(kEngine, 6, 2);
    ship.RecalcStats();
    EXPECT_EQ(ship.speed, 0.0f);

    // Output 7 connected: (7 >> 1) | (7 & 1) = 3 thousandths over the base 1000.
    engine.engineMode = kEngineConnected;
    ship.RecalcStats();
    EXPECT_FLOAT_EQ(ship.speed, 1.003f);

    // A running maintenance task adds 7 >> 1 again.
    GAME_CTaskRequest maintenance;
    maintenance.taskId = MakeTag("TMNT");
    maintenance.kind = kTaskEngineMaintenance;
    maintenance.roomIndex = ship.GetRoomIndex(&engine);
    GAME_CTaskBase* task = GAME_CTaskBase::CreateFromRequest(maintenance);
    ASSERT_NE(task, nullptr);
    task->progress = 1;
    ship.RecalcStats();
    EXPECT_FLOAT_EQ(ship.speed, 1.006f);

    // The spare engine over its limit (first stage: +300 speed, rate 1500) slows the fuel.
    spare.ApplyUpgradeBits(1u << 2);
    spare.engineMode = kEngineOverLimit;
    ship.RecalcStats();
    EXPECT_FLOAT_EQ(ship.speed, 1.306f);
    EXPECT_EQ(ship.fuelRate, 66);

    engine.engineMode = kEngineDisconnected;
    spare.engineMode = kEngineDisconnected;
    ship.RecalcStats();
    EXPECT_EQ(ship.speed, 0.0f);
    EXPECT_EQ(ship.fuelRate, 100);
}

TEST_F(ShipRooms, RoomsThatDoNotFitOrHaveNoDataAreRefused)
{
    GAME_CShip& ship = Ship();
    EXPECT_FALSE(ship.CanPlaceRoom(0, 0, kNoDataKind));
    EXPECT_EQ(ship.PlaceRoom(0, 0, kNoDataKind), nullptr);
    EXPECT_EQ(ship.PlaceRoom(9, 0, kKitchen), nullptr);  // two cells wide at the last column
    EXPECT_EQ(ship.PlaceRoom(0, 2, kLadder), nullptr);   // two rows high on the last row
    Place(kHome, 4, 1);
    EXPECT_EQ(ship.PlaceRoom(3, 1, kKitchen), nullptr);  // overlaps
    ship.AddCellDamage(0, 0, 5);
    EXPECT_EQ(ship.PlaceRoom(0, 0, kHome), nullptr);
    ship.grid.GetCell(8, 0)->usable = 0;
    EXPECT_EQ(ship.PlaceRoom(8, 0, kHome), nullptr);
    EXPECT_EQ(ship.CountRoomsOnGrid(), 1);
}

// Moving into another hull keeps the stock in one cargo hold: a finished room gives its materials
// back, a room still being built only what was delivered to it; its materials still in store are
// kept once, as stock.
TEST_F(ShipRooms, AChangedShipKeepsWhatABuiltRoomTookButNothingMoreForARoomStillBeingBuilt)
{
    GAME_CShip& ship = Ship();
    Place(kHullPlate, 0, 2);
    GAME_CRoomBase* site = ship.PlaceNewRoom(2, 2, kHullPlate, kNoId, true);
    ASSERT_NE(site, nullptr);
    ASSERT_EQ(site->boundTasks.size(), 1u);
    site->boundTasks.front()->materials = {kMaterial, kMaterial};

    ASSERT_TRUE(ship.ChangeShip(MakeTag("SHPL"), true));
    const GAME_CPlayerData& player = *GetPlayerData();
    std::int64_t material = 0;
    std::int64_t unstackable = 0;
    for (std::size_t i = 0; i < player.InventoryCount(); ++i) {
        if (const GAME_CInventory* inventory = player.GetInventoryAt(static_cast<std::int64_t>(i))) {
            material += inventory->CountItem(kMaterial);
            unstackable += inventory->CountItem(kUnstackable);
        }
    }
    EXPECT_EQ(material, 4 + 3 + 2) << "the old hull's, the built plate's and the two delivered";
    EXPECT_EQ(unstackable, 2) << "the built plate's alone";
}

}  // namespace
