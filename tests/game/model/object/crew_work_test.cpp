// Crew keeping the ship going: repairing hull damage with a material picked up on the way, a unit taken from storage going back when no item can carry it, and a turret reloaded from storage, its rounds kept when the deck is full, the reload is cancelled there or the turret would be taken down.
#include <gtest/gtest.h>

#include "game/model/stores/ammo_storage.h"
#include "game/services/player/inventory.h"
#include "game/model/stores/stored_items.h"
#include "game/model/object/actor_ai_base.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_actor.h"
#include "game/model/ship/damage_marker.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/room_removal_drops.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/task_manager.h"
#include "tests/support/shipped_ids.h"
#include "tests/support/task_world.h"

namespace {

using namespace support::shipped;

class CrewWorkTest : public support::TaskWorld {
protected:
    // A storeroom holding the cheese bombs, a catapult whose store takes the capacity in them, and a
    // reload of it ordered.
    GAME_CTaskBase* OrderReload(std::int32_t capacity, std::int32_t stocked)
    {
        storeroom = &Place(kStoreroom, 0, 0);
        turret = &Place(kCatapult, 7, 0);
        store = GetOrCreateAmmoStorage(NumberOf(*turret));
        if (store == nullptr) return nullptr;
        store->SetAmmoId(&kCheeseBomb);
        store->SetCapacity(capacity);
        Stock(*storeroom, kCheeseBomb, stocked);
        reload = GAME_CTaskBase::CreateFromRequest(MakeReloadRequest(NumberOf(*turret), kCheeseBomb));
        return reload;
    }

    // The rounds the reload's crew member holds on the way to the turret.
    std::int32_t Held() const
    {
        const GAME_CItemDataImpl* load = reload->GetTargetIndex().load;
        return load != nullptr ? load->count : 0;
    }

    // An item on every floor cell.
    void FillDeck()
    {
        std::int32_t column = -1;
        std::int32_t row = -1;
        while (Field().FindFreeItemCell(0, 0, &column, &row)) Drop(kGrain, 1, column, row);
        ASSERT_EQ(Field().CountFreeItemPlaces(), 0);
    }

    GAME_CRoomBase* storeroom = nullptr;
    GAME_CRoomBase* turret = nullptr;
    GAME_CAmmo* store = nullptr;
    GAME_CTaskBase* reload = nullptr;
};

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
    ASSERT_NE(OrderReload(5, 5), nullptr);
    AddCrew(3, 0);
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
    ASSERT_NE(OrderReload(5, 5), nullptr);
    GAME_CObjectActor& reloader = AddCrew(3, 0);
    const auto roundsAboard = [&] { return CountStoredItem(kCheeseBomb) + CountFieldItem(kCheeseBomb) + store->GetCount() + Held(); };
    ASSERT_TRUE(StepSimulationUntil([&] { return Held() == 5; }, 3000));

    ASSERT_NO_FATAL_FAILURE(FillDeck());
    reloader.dead = 1;
    Field().RemoveDeadActors();
    for (int step = 0; step < 300; ++step) {
        StepSimulation(1);
        ASSERT_EQ(roundsAboard(), 5) << "step " << step;
    }
    EXPECT_EQ(Held(), 5);

    Field().ConsumeFieldItems(kGrain, 1);
    Field().RemoveDeadItems();
    StepSimulation(2);
    EXPECT_EQ(CountFieldItem(kCheeseBomb), 5);
    EXPECT_EQ(roundsAboard(), 5);
    EXPECT_EQ(reload->GetTargetIndex().load, nullptr);
}

// The player cancels a turret's reload, as its screen does, while the turret holds rounds and its
// reloader brings more, on a deck with every floor cell taken: the turret's rounds and the
// reloader's find no cell, so they go back into the storeroom.
TEST_F(CrewWorkTest, RoundsACancelledReloadLetsGoOfOnAFullDeckGoBackIntoTheStoreroom)
{
    ASSERT_NE(OrderReload(8, 5), nullptr);
    for (int round = 0; round < 3; ++round) store->AddOne();
    AddCrew(3, 0);
    ASSERT_TRUE(StepSimulationUntil([&] { return Held() == 5; }, 3000));

    ASSERT_NO_FATAL_FAILURE(FillDeck());
    const std::uint32_t none = kNoId;
    store->SetAmmoId(&none);
    Tasks().FinishReloadTasksOfRoom(NumberOf(*turret));
    Tasks().PurgeFinishedTasks();
    EXPECT_EQ(CountStoredItem(kCheeseBomb), 8);
    EXPECT_EQ(store->GetCount(), 0);
    StepSimulation(60);
    EXPECT_EQ(CountStoredItem(kCheeseBomb) + CountFieldItem(kCheeseBomb), 8);
}

// A turret whose reloader is bringing rounds comes down only while the deck has a place for them
// beside what the room gives back: with places for the refund alone and no storeroom with room,
// taking it down would throw the rounds in hand away, so it stays.
TEST_F(CrewWorkTest, ATurretWhoseReloaderBringsRoundsStaysUpWhileTheDeckHasNoPlaceForThem)
{
    ASSERT_NE(OrderReload(5, 5), nullptr);
    const std::int64_t refundStacks = CountStacksDroppedByRemoval(*turret);
    AddCrew(3, 0);
    ASSERT_TRUE(StepSimulationUntil([&] { return Held() == 5; }, 3000));
    FindRoomInventory(storeroom)->capacity = 0;
    ASSERT_NO_FATAL_FAILURE(FillDeck());
    for (std::int64_t i = 0; i < refundStacks; ++i) Field().ConsumeFieldItems(kGrain, 1);
    Field().RemoveDeadItems();

    if (RoomRemovalFitsOnDeck(*turret)) {
        turret->removeRequested = true;
        Ship().Update();
        Tasks().PurgeFinishedTasks();
    }
    EXPECT_EQ(Ship().GetRoomIndex(turret), 1);
    EXPECT_EQ(CountFieldItem(kCheeseBomb) + (IsListed(reload) ? Held() : 0), 5);
}

}  // namespace

// A game saved while the reloader stands in the storeroom with the rounds in hand loads with the
// reloader still on its way: it carries them on into the turret rather than turning back to the
// storeroom, which still holds some, and leaving them on the deck.
TEST_F(CrewWorkTest, AReloaderSavedWithTheRoundsInHandCarriesThemIntoTheTurretAfterALoad)
{
    ASSERT_NE(OrderReload(5, 8), nullptr);
    AddCrew(3, 0);
    ASSERT_TRUE(StepSimulationUntil([&] { return Held() == 5; }, 3000));
    ASSERT_EQ(CountStoredItem(kCheeseBomb), 3);
    const std::int32_t turretNumber = NumberOf(*turret);

    SaveAndLoad();

    ASSERT_EQ(Field().crew.size(), 1u);
    const GAME_CObjectActor& reloader = *Field().crew[0];
    ASSERT_NE(reloader.task, nullptr);
    EXPECT_EQ(reloader.task->GetKind(), kTaskReload);
    reload = reloader.task;
    store = FindAmmoStorage(turretNumber);
    ASSERT_NE(store, nullptr);
    for (int step = 0; step < 3000 && store->GetCount() < 5; ++step) {
        StepSimulation(1);
        ASSERT_EQ(CountFieldItem(kCheeseBomb), 0) << "step " << step;
    }
    EXPECT_EQ(store->GetCount(), 5);
    EXPECT_EQ(CountStoredItem(kCheeseBomb), 3);
}
