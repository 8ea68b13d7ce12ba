// Crafting in a workshop as the player orders it: materials fetched from the storeroom and used once, counted aboard while on their way, an order short of them that waits until more come aboard, one cancelled with its materials in hand, and one finished, cancelled or taken down with its workshop on a full deck, every unit accounted for all along.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "game/services/data/item_data.h"
#include "game/services/data/static_lookups.h"
#include "game/model/stores/stored_items.h"
#include "game/services/player/inventory.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_actor.h"
#include "game/model/object/object_item.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/task_manager.h"
#include "game/model/ship/task_request.h"
#include "tests/support/shipped_ids.h"
#include "tests/support/task_world.h"

namespace {

using namespace support::shipped;

constexpr std::uint32_t kIronPlate = MakeTag("I010");
constexpr std::uint32_t kIronPlateRecipe = MakeTag("TC01");  // three scrap iron make one plate

class TaskCraftTest : public support::TaskWorld {
protected:
    void SetUp() override
    {
        support::TaskWorld::SetUp();
        storeroom = &Place(kStoreroom, 0, 0);
        workshop = &Place(kWorkshop, 8, 0);
        AddCrew(3, 0);
        AddCrew(4, 0);
    }

    GAME_CTaskBase* OrderPlate()
    {
        const TaskData* recipe = FindTaskData(kIronPlateRecipe);
        EXPECT_NE(recipe, nullptr);
        return recipe != nullptr ? GAME_CTaskBase::CreateFromRequest(MakeItemCraftRequest(*recipe, NumberOf(*workshop), 0))
                                 : nullptr;
    }

    // Every unit of the item aboard: stored, lying or carried as an item, in a carrier's load, or
    // delivered to a task.
    std::int64_t UnitsAboard(std::uint32_t itemId) const
    {
        std::int64_t units = CountStoredItem(itemId);
        for (const GAME_CObjectItem* item : Field().items) {
            if (item != nullptr && item->dead == 0 && item->itemId == itemId) units += item->count;
        }
        for (const GAME_CTaskBase* task : Tasks().tasks) {
            if (task == nullptr) continue;
            units += task->CountMaterial(itemId);
            if (task->GetKind() != kTaskCarrierFromInventory) continue;
            const GAME_CItemDataImpl* load = task->GetTargetIndex().load;
            if (load != nullptr && load->itemId == itemId) units += load->count;
        }
        return units;
    }

    // Scrap aboard with what the plates made of it took: what neither a craft nor a carry changes.
    std::int64_t ScrapLedger() const { return UnitsAboard(kScrapIron) + 3 * UnitsAboard(kIronPlate); }

    // Steps until done() holds, failing the test in the first step that loses or makes scrap.
    bool StepKeepingScrap(std::int64_t scrap, const std::function<bool()>& done, int maxSteps)
    {
        for (int i = 0; i < maxSteps; ++i) {
            if (done()) return true;
            StepSimulation(1);
            if (ScrapLedger() != scrap) {
                ADD_FAILURE() << "step " << i << ": the ledger holds " << ScrapLedger() << " units of scrap, not " << scrap;
                ledgerBroken = true;
                return false;
            }
        }
        return done();
    }

    // A plate order with its three scrap delivered and its crafter at work, the crafter the only
    // crew member left aboard (so nobody clears the deck), and an item on every floor cell.
    GAME_CTaskBase* CraftAloneOnAFullDeck()
    {
        Stock(*storeroom, kScrapIron, 3);
        GAME_CTaskBase* craft = OrderPlate();
        if (craft == nullptr) return nullptr;
        if (!StepKeepingScrap(3, [&] { return craft->materials.size() == 3 && craft->progress > 0; }, 10000)) return nullptr;
        for (GAME_CObjectActor* actor : Field().crew) {
            if (actor != nullptr && std::find(craft->crew.begin(), craft->crew.end(), actor) == craft->crew.end()) actor->dead = 1;
        }
        Field().RemoveDeadActors();
        EXPECT_EQ(craft->crew.size(), 1U);
        std::int32_t column = -1;
        std::int32_t row = -1;
        while (Field().FindFreeItemCell(0, 0, &column, &row)) EXPECT_TRUE(Field().DropItemOnCell(kGrain, 1, column, row));
        EXPECT_EQ(Field().CountFreeItemPlaces(), 0);
        return craft;
    }

    // The craft given up as the task window gives it up.
    void CancelCraft(GAME_CTaskBase& craft) const
    {
        craft.Finish();
        Tasks().PurgeFinishedTasks();
    }

    // A second of play in which no scrap is lost or made.
    void ExpectScrapKeptForASecond()
    {
        StepKeepingScrap(3, [] { return false; }, 60);
        EXPECT_FALSE(ledgerBroken);
    }

    // One grain taken off the deck, as a rat or the market would take it.
    void FreeOneCell() const
    {
        Field().ConsumeFieldItems(kGrain, 1);
        Field().RemoveDeadItems();
    }

    GAME_CRoomBase* storeroom = nullptr;
    GAME_CRoomBase* workshop = nullptr;
    bool ledgerBroken = false;
};

// Five scrap for a plate of three: the carrier's three still count aboard on their way and the two
// left stay free; the plate is made of exactly three. A second order, two short of three, waits
// untouched; with a third unit bought it is fetched, and cancelled then, the units in hand go back.
TEST_F(TaskCraftTest, ACraftUsesItsMaterialsOnceAndAnOrderShortOfThemWaitsAndGivesThemBackWhenCancelled)
{
    Stock(*storeroom, kScrapIron, 5);
    GAME_CTaskBase* craft = OrderPlate();
    ASSERT_NE(craft, nullptr);
    ASSERT_TRUE(StepKeepingScrap(5, [&] { return CarriedUnits() == 3; }, 5000));
    EXPECT_EQ(CountStoredItem(kScrapIron), 2);
    EXPECT_EQ(CountCarriedItem(kScrapIron), 3);
    EXPECT_EQ(CountAvailableItem(kScrapIron, true), 2);
    ASSERT_TRUE(StepKeepingScrap(5, [&] { return CountStoredItem(kIronPlate) == 1; }, 20000));
    EXPECT_FALSE(IsListed(craft));
    EXPECT_EQ(CountStoredItem(kScrapIron), 2);

    GAME_CTaskBase* shortOrder = OrderPlate();
    ASSERT_NE(shortOrder, nullptr);
    StepKeepingScrap(5, [] { return false; }, 1500);
    ASSERT_FALSE(ledgerBroken);
    EXPECT_EQ(CountStoredItem(kScrapIron), 2);
    EXPECT_TRUE(shortOrder->materials.empty());
    EXPECT_EQ(shortOrder->progress, 0);

    Stock(*storeroom, kScrapIron, 1);
    ASSERT_TRUE(StepKeepingScrap(6, [&] { return CarriedUnits() == 3; }, 5000));
    // Cancelled as the task window cancels it.
    shortOrder->Finish();
    Tasks().PurgeFinishedTasks();
    EXPECT_TRUE(TasksOfKind(kTaskCarrierFromInventory).empty());
    EXPECT_EQ(UnitsAboard(kScrapIron), 3);
    EXPECT_TRUE(StepKeepingScrap(6, [&] { return CountStoredItem(kScrapIron) == 3; }, 10000));
}


// A plate finished while every floor cell holds an item has nowhere to go: the craft stays at its
// full progress with the scrap it used, and the plate comes out on the first cell that comes free.
TEST_F(TaskCraftTest, ACraftDoneOnAFullDeckKeepsItsProductUntilThereIsRoomForIt)
{
    GAME_CTaskBase* craft = CraftAloneOnAFullDeck();
    ASSERT_NE(craft, nullptr);

    StepKeepingScrap(3, [] { return false; }, 3 * craft->GetTaskValue());
    ASSERT_FALSE(ledgerBroken);
    EXPECT_TRUE(IsListed(craft));
    EXPECT_EQ(craft->progress, craft->GetTaskValue());
    EXPECT_EQ(UnitsAboard(kIronPlate), 0);

    FreeOneCell();
    EXPECT_TRUE(StepKeepingScrap(3, [&] { return UnitsAboard(kIronPlate) == 1; }, 600));
    EXPECT_EQ(UnitsAboard(kScrapIron), 0);
}

// The player gives up on a plate waiting for room on a full deck: the scrap it holds finds no floor
// cell, so it goes back into the storeroom rather than out of the game.
TEST_F(TaskCraftTest, ACraftCancelledWhileWaitingOnAFullDeckPutsItsMaterialsBackInTheStoreroom)
{
    GAME_CTaskBase* craft = CraftAloneOnAFullDeck();
    ASSERT_NE(craft, nullptr);
    StepKeepingScrap(3, [] { return false; }, 2 * craft->GetTaskValue());
    ASSERT_FALSE(ledgerBroken);
    ASSERT_EQ(craft->progress, craft->GetTaskValue());

    CancelCraft(*craft);
    EXPECT_EQ(CountStoredItem(kScrapIron), 3);
    ExpectScrapKeptForASecond();
}

// Given up on a full deck with the nearest storeroom full, a plate's scrap goes into the next
// storeroom that has room rather than out of the game.
TEST_F(TaskCraftTest, ACraftCancelledOnAFullDeckPutsItsMaterialsInAStoreroomWithRoomBeyondAFullOne)
{
    GAME_CInventory& nearStoreroom = *FindRoomInventory(&Place(kStoreroom, 6, 0));
    nearStoreroom.capacity = 0;
    GAME_CTaskBase* craft = CraftAloneOnAFullDeck();
    ASSERT_NE(craft, nullptr);
    ASSERT_EQ(FindNearestStorageRoom(workshop->gridX, workshop->gridY), &nearStoreroom);

    CancelCraft(*craft);
    EXPECT_EQ(FindRoomInventory(storeroom)->CountItem(kScrapIron), 3);
    ExpectScrapKeptForASecond();
}

// A plate waiting on a full deck whose workshop comes down in the same step as the storeroom
// nearest to it (a route loss takes one, a breakdown the other): the scrap it held goes into a
// storeroom that stays, not into the one on its way out, whose goods find no floor cell.
TEST_F(TaskCraftTest, ACraftWhoseWorkshopComesDownBesideALeavingStoreroomKeepsItsScrapInOneThatStays)
{
    GAME_CRoomBase& leaving = Place(kStoreroom, 6, 0);
    GAME_CTaskBase* craft = CraftAloneOnAFullDeck();
    ASSERT_NE(craft, nullptr);
    ASSERT_EQ(FindNearestStorageRoom(workshop->gridX, workshop->gridY), FindRoomInventory(&leaving));
    ASSERT_LT(NumberOf(*workshop), NumberOf(leaving));

    workshop->removeRequested = true;
    leaving.removeRequested = true;
    Ship().Update();
    Tasks().PurgeFinishedTasks();
    EXPECT_EQ(Ship().GetRoomIndex(&leaving), -1);
    EXPECT_EQ(FindRoomInventory(storeroom)->CountItem(kScrapIron), 3);
    EXPECT_EQ(UnitsAboard(kScrapIron), 3);
}

// A workshop taken down before the ladder to the only storeroom with room: while the room goes,
// the ladder still joins its rows, so the scrap of the plate it gives up reaches that storeroom.
TEST_F(TaskCraftTest, ACraftWhoseWorkshopIsTakenDownOnAFullDeckSendsItsScrapUpTheLadderToAStoreroom)
{
    GAME_CRoomBase& upstairs = Place(kStoreroom, 1, 1);
    Place(kLadder, 5, 0);
    GAME_CTaskBase* craft = CraftAloneOnAFullDeck();
    ASSERT_NE(craft, nullptr);
    FindRoomInventory(storeroom)->capacity = 0;

    Ship().RemoveRoom(NumberOf(*workshop));
    Tasks().PurgeFinishedTasks();
    EXPECT_EQ(FindRoomInventory(&upstairs)->CountItem(kScrapIron), 3);
    EXPECT_EQ(UnitsAboard(kScrapIron), 3);
}

// Given up while its scrap is on the way over a full deck, a plate leaves the carrier's load with
// nowhere on the floor to go: it goes back into the storeroom.
TEST_F(TaskCraftTest, ACraftCancelledOnAFullDeckWhileItsScrapIsCarriedKeepsTheScrapAboard)
{
    Stock(*storeroom, kScrapIron, 3);
    GAME_CTaskBase* craft = OrderPlate();
    ASSERT_NE(craft, nullptr);
    ASSERT_TRUE(StepKeepingScrap(3, [&] { return CarriedUnits() == 3; }, 5000));
    std::int32_t column = -1;
    std::int32_t row = -1;
    while (Field().FindFreeItemCell(0, 0, &column, &row)) ASSERT_TRUE(Field().DropItemOnCell(kGrain, 1, column, row));

    CancelCraft(*craft);
    EXPECT_EQ(CountStoredItem(kScrapIron), 3);
    ExpectScrapKeptForASecond();
}

// A unit delivered to a craft beyond the three it takes goes back on the floor; on a full deck it
// stays with the craft, which waits for it to find a cell before the plate may take the next one.
TEST_F(TaskCraftTest, UnitsDeliveredBeyondACraftsNeedWaitWithItOnAFullDeckForRoomOnTheFloor)
{
    GAME_CTaskBase* craft = CraftAloneOnAFullDeck();
    ASSERT_NE(craft, nullptr);
    craft->materials.push_back(kScrapIron);

    StepKeepingScrap(4, [] { return false; }, 3 * craft->GetTaskValue());
    ASSERT_FALSE(ledgerBroken);
    EXPECT_TRUE(IsListed(craft));
    EXPECT_EQ(craft->CountMaterial(kScrapIron), 4);

    FreeOneCell();
    StepKeepingScrap(4, [] { return false; }, 60);
    ASSERT_FALSE(ledgerBroken);
    EXPECT_EQ(craft->CountMaterial(kScrapIron), 3);
    EXPECT_EQ(UnitsAboard(kIronPlate), 0);

    FreeOneCell();
    EXPECT_TRUE(StepKeepingScrap(4, [&] { return UnitsAboard(kIronPlate) == 1; }, 600));
    EXPECT_EQ(UnitsAboard(kScrapIron), 1);
}

}  // namespace
