// Crew keeping the ship going: repairing hull damage with a material picked up on the way, a unit taken from storage going back when no item can carry it, and a turret reloaded from storage, its rounds kept when the deck is full.
#include <gtest/gtest.h>

#include "game/model/stores/ammo_storage.h"
#include "game/services/player/inventory.h"
#include "game/model/stores/stored_items.h"
#include "game/model/object/actor_ai_base.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_actor.h"
#include "game/model/ship/damage_marker.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/task_manager.h"
#include "tests/support/shipped_ids.h"
#include "tests/support/task_world.h"

namespace {

using namespace support::shipped;

using CrewWorkTest = support::TaskWorld;

TEST_F(CrewWorkTest, ACrewMemberFetchesARepairMaterialAndRepairsOneUnitEachWorkInterval)
{
    Drop(kScrapIron, 1, 2, 0);
    Ship().AddCellDamage(6, 0, 2);
    GAME_CObjectActor& mender = AddCrew(0, 0);
    ASSERT_EQ(mender.status.computed.workInterval, 60);

    ASSERT_TRUE(StepSimulationUntil([&] { return mender.repairCountdown > 0; }, 1000));
    EXPECT_EQ(mender.cellX, 6);
    EXPECT_EQ(Ship().FindCellDamage(6, 0)->claimer, &mender);
    StepSimulation(59);
    EXPECT_EQ(Ship().FindCellDamage(6, 0)->amount, 2);
    StepSimulation(1);
    EXPECT_EQ(Ship().FindCellDamage(6, 0)->amount, 1);
    StepSimulation(59);
    EXPECT_EQ(Ship().FindCellDamage(6, 0)->amount, 1);
    StepSimulation(1);
    // Repaired: the marker fades out and is gone.
    ASSERT_TRUE(StepSimulationUntil([&] { return Ship().FindCellDamage(6, 0) == nullptr; }, 12));
    EXPECT_EQ(mender.repairCountdown, 0);
}

TEST_F(CrewWorkTest, AMaterialTakenFromStorageGoesBackWhenNoItemObjectIsLeftToHoldIt)
{
    GAME_CRoomBase& storeroom = Place(kStoreroom, 0, 0);
    Stock(storeroom, kScrapIron, 3);
    Ship().AddCellDamage(6, 0, 2);
    // Every floor cell holds an item: no item object is left for the piece.
    for (std::int32_t y = 0; y < Ship().grid.height; ++y) {
        for (std::int32_t x = 0; x < Ship().grid.width; ++x) Drop(kGrain, 1, x, y);
    }
    ASSERT_EQ(Field().AcquireItemObject(), nullptr);
    GAME_CObjectActor& mender = AddCrew(0, 0);
    mender.ai->thinkCountdown = 0;
    mender.ai->Think();
    EXPECT_EQ(CountStoredItem(kScrapIron), 3);
    EXPECT_EQ(mender.carriedItem, nullptr);
    EXPECT_EQ(Ship().FindCellDamage(6, 0)->claimer, nullptr);
}

TEST_F(CrewWorkTest, AReloadBringsTheStoredRoundsIntoTheTurretAndDeletesItsEmptiedLoad)
{
    GAME_CRoomBase& storeroom = Place(kStoreroom, 0, 0);
    GAME_CRoomBase& turret = Place(kCatapult, 7, 0);
    GAME_CAmmo* store = GetOrCreateAmmoStorage(NumberOf(turret));
    ASSERT_NE(store, nullptr);
    store->SetAmmoId(&kCheeseBomb);
    store->SetCapacity(5);
    Stock(storeroom, kCheeseBomb, 5);
    AddCrew(3, 0);
    GAME_CTaskBase* reload = GAME_CTaskBase::CreateFromRequest(MakeReloadRequest(NumberOf(turret), kCheeseBomb));
    ASSERT_NE(reload, nullptr);
    EXPECT_EQ(reload->GetReservedItemCount(), 5);

    ASSERT_TRUE(StepSimulationUntil([&] { return store->GetCount() == 5; }, 3000));
    EXPECT_EQ(CountStoredItem(kCheeseBomb), 0);
    ASSERT_TRUE(IsListed(reload));
    EXPECT_EQ(reload->GetTargetIndex().load, nullptr);
    StepSimulation(1);
    EXPECT_EQ(reload->GetReservedItemCount(), 0);
}

// A reloader gone from the ship with the rounds in hand leaves them to the reload, which puts them
// down; on a full deck it keeps them until a cell comes free, and every round stays aboard.
TEST_F(CrewWorkTest, RoundsAReloaderLeavesBehindWaitWithTheReloadOnAFullDeckUntilACellComesFree)
{
    GAME_CRoomBase& storeroom = Place(kStoreroom, 0, 0);
    GAME_CRoomBase& turret = Place(kCatapult, 7, 0);
    GAME_CAmmo* store = GetOrCreateAmmoStorage(NumberOf(turret));
    ASSERT_NE(store, nullptr);
    store->SetAmmoId(&kCheeseBomb);
    store->SetCapacity(5);
    Stock(storeroom, kCheeseBomb, 5);
    GAME_CObjectActor& reloader = AddCrew(3, 0);
    GAME_CTaskBase* reload = GAME_CTaskBase::CreateFromRequest(MakeReloadRequest(NumberOf(turret), kCheeseBomb));
    ASSERT_NE(reload, nullptr);
    const auto held = [&] {
        const GAME_CItemDataImpl* load = reload->GetTargetIndex().load;
        return load != nullptr ? load->count : 0;
    };
    const auto roundsAboard = [&] { return CountStoredItem(kCheeseBomb) + CountFieldItem(kCheeseBomb) + store->GetCount() + held(); };
    ASSERT_TRUE(StepSimulationUntil([&] { return held() == 5; }, 3000));

    std::int32_t column = -1;
    std::int32_t row = -1;
    while (Field().FindFreeItemCell(0, 0, &column, &row)) Drop(kGrain, 1, column, row);
    ASSERT_EQ(Field().CountFreeItemPlaces(), 0);
    reloader.dead = 1;
    Field().RemoveDeadActors();
    for (int step = 0; step < 300; ++step) {
        StepSimulation(1);
        ASSERT_EQ(roundsAboard(), 5) << "step " << step;
    }
    EXPECT_EQ(held(), 5);

    Field().ConsumeFieldItems(kGrain, 1);
    Field().RemoveDeadItems();
    StepSimulation(2);
    EXPECT_EQ(CountFieldItem(kCheeseBomb), 5);
    EXPECT_EQ(roundsAboard(), 5);
    EXPECT_EQ(reload->GetTargetIndex().load, nullptr);
}

}  // namespace
