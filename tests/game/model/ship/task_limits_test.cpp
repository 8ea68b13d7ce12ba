// Tasks given what data or the ship can make of them: a driver with no bridge to take, breaks whose upgrades cancel out, a heal of no amount, orders that cannot go on, and an upgrade ordered to repeat.
#include <gtest/gtest.h>

#include "game/model/stores/food_storage.h"
#include "game/model/stores/stored_items.h"
#include "game/services/data/static_database.h"
#include "game/services/data/static_lookups.h"
#include "game/model/object/object_actor.h"
#include "game/model/object/object_item.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/task_manager.h"
#include "tests/support/shipped_ids.h"
#include "tests/support/task_world.h"

namespace {

using namespace support::shipped;

constexpr std::uint32_t kHeal = MakeTag("THHP");
constexpr std::uint32_t kBandage = MakeTag("I015");
constexpr std::uint32_t kIronPlate = MakeTag("I010");
constexpr std::uint32_t kGear = MakeTag("I005");
constexpr std::uint32_t kSecondBench = MakeTag("TU06");  // workshop upgrade bit 0: 3 iron plates, 1 gear

using TaskLimitsTest = support::TaskWorld;

TEST_F(TaskLimitsTest, ADriverTakesTheNextBridgeOfTheRoomListAndEndsWhenNoneFollows)
{
    GAME_CRoomBase& workshop = Place(kWorkshop, 0, 0);
    GAME_CTaskBase* lost = GAME_CTaskBase::CreateFromRequest(MakeBridgeDriverRequest(NumberOf(workshop)));
    ASSERT_NE(lost, nullptr);
    EXPECT_TRUE(lost->IsFinished());

    GAME_CRoomBase& bridge = Place(kBridge, 4, 0);
    GAME_CTaskBase* driver = GAME_CTaskBase::CreateFromRequest(MakeBridgeDriverRequest(NumberOf(workshop)));
    ASSERT_NE(driver, nullptr);
    EXPECT_FALSE(driver->IsFinished());
    EXPECT_EQ(driver->GetRoom(), &bridge);
}

TEST_F(TaskLimitsTest, UpgradesThatCancelTheBreakBonusAndAHealOfNoAmountStillGiveWholePeriods)
{
    GAME_CRoomBase& home = Place(kHome, 0, 0);
    RoomData& homeData = const_cast<RoomData&>(*FindRoomData(kHome));
    homeData.upgrades[0] = RoomUpgradeEntry{4, "TU03", -1500};
    home.installedUpgrades = 1u << 4;
    GAME_CTaskBase* rest = GAME_CTaskBase::CreateFromRequest(MakeBreakRequest(NumberOf(home)));
    ASSERT_NE(rest, nullptr);
    EXPECT_EQ(rest->GetRewardInterval(), 60000);

    GAME_CRoomBase& infirmary = Place(kInfirmary, 3, 0);
    TaskData& heal = *GetStaticDatabase()->GetOrCreateTaskData(kHeal);
    heal.amount = 0;
    GAME_CObjectActor& hurt = AddCrew(3, 0);
    hurt.status.hp = 40000;
    GAME_CTaskBase* care = GAME_CTaskBase::CreateFromRequest(MakePatientRequest(NumberOf(infirmary), 0, 0, 0));
    ASSERT_NE(care, nullptr);
    care->materials.push_back(kBandage);
    ASSERT_TRUE(StepSimulationUntil([&] { return care->GetTargetIndex().actor == &hurt; }, 400));
    EXPECT_GT(care->GetTaskValue(), 0);
    ASSERT_TRUE(StepSimulationUntil([&] { return hurt.status.hp > 40000; }, 2000));
    EXPECT_EQ(hurt.status.hp, 40001);
}

TEST_F(TaskLimitsTest, OrdersThatCannotGoOnEndByThemselvesAndACarryForMoreThanTheShipHoldsGetsNobody)
{
    // A kitchen with no dish chosen takes the first dish and cooks nothing this time.
    GAME_CRoomBase& kitchen = Place(kKitchen, 1, 0);
    GAME_CFoodStorage* food = FindFoodStorage(NumberOf(kitchen));
    ASSERT_NE(food, nullptr);
    const std::uint32_t noDish = kNoId;
    food->SetFoodId(&noDish);
    GAME_CTaskBase* cooking = GAME_CTaskBase::CreateFromRequest(MakeCookingRequest(NumberOf(kitchen)));
    ASSERT_NE(cooking, nullptr);
    EXPECT_TRUE(cooking->IsFinished());
    EXPECT_EQ(*food->GetFoodId(), GetStaticDatabase()->CookingRecipes().begin()->first);
    EXPECT_TRUE(TasksOfKind(kTaskCarrierFromInventory).empty());

    // Rounds are brought to turrets only.
    GAME_CRoomBase& workshop = Place(kWorkshop, 3, 0);
    GAME_CTaskBase* reload = GAME_CTaskBase::CreateFromRequest(MakeReloadRequest(NumberOf(workshop), kCheeseBomb));
    ASSERT_NE(reload, nullptr);
    EXPECT_TRUE(reload->IsFinished());

    // Nobody aboard: an item to carry to storage waits 300 steps for a carrier, then the order goes.
    Place(kStoreroom, 0, 0);
    GAME_CObjectItem& grain = Drop(kGrain, 2, 8, 0);
    GAME_CTaskBase* carrier = GAME_CTaskBase::CreateFromRequest(MakeItemCarrierRequest(&grain, 8, 0));
    ASSERT_NE(carrier, nullptr);
    StepSimulation(299);
    EXPECT_TRUE(IsListed(carrier));
    StepSimulation(1);
    EXPECT_FALSE(IsListed(carrier));

    // With crew aboard, a craft wanting more grain than the ship holds sends nobody for it.
    AddCrew(6, 0);
    AddCrew(7, 0);
    TaskData& porridgeBowl = *GetStaticDatabase()->GetOrCreateTaskData(MakeTag("TZZ1"));
    porridgeBowl.kind = kTaskItemCraft;
    porridgeBowl.crewLimit = 1;
    porridgeBowl.durationSeconds = 5;
    porridgeBowl.materials[0] = ItemCount{kGrain, 3};
    GAME_CTaskBase* craft = GAME_CTaskBase::CreateFromRequest(MakeItemCraftRequest(porridgeBowl, NumberOf(workshop), 0));
    ASSERT_NE(craft, nullptr);
    const std::vector<GAME_CTaskBase*> carries = TasksOfKind(kTaskCarrierFromInventory);
    ASSERT_EQ(carries.size(), 1u);
    for (int step = 0; step < 600; ++step) {
        StepSimulation(1);
        ASSERT_TRUE(IsListed(carries[0]));
        ASSERT_TRUE(carries[0]->crew.empty()) << step;
    }
    EXPECT_EQ(craft->progress, 0);
}

TEST_F(TaskLimitsTest, AnUpgradeOrderedToRepeatIsInstalledOnceAndEnds)
{
    GAME_CRoomBase& storeroom = Place(kStoreroom, 0, 0);
    GAME_CRoomBase& workshop = Place(kWorkshop, 5, 0);
    Stock(storeroom, kIronPlate, 6);
    Stock(storeroom, kGear, 2);
    AddCrew(2, 0);
    AddCrew(3, 0);
    GAME_CTaskBase* upgrade =
        GAME_CTaskBase::CreateFromRequest(MakeRoomUpgradeRequest(*FindTaskData(kSecondBench), NumberOf(workshop)));
    ASSERT_NE(upgrade, nullptr);
    upgrade->repeat = 1;
    ASSERT_TRUE(StepSimulationUntil([&] { return !IsListed(upgrade); }, 20000));
    EXPECT_EQ(workshop.installedUpgrades, 1u);
    StepSimulation(400);
    EXPECT_TRUE(TasksOfKind(kTaskRoomUpgrade).empty());
    EXPECT_TRUE(TasksOfKind(kTaskCarrierFromInventory).empty());
    EXPECT_EQ(CountStoredItem(kIronPlate), 3);
    EXPECT_EQ(CountStoredItem(kGear), 1);
}

}  // namespace
