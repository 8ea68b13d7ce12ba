// Tasks given what data or the ship can make of them: a driver with no bridge to take, breaks whose upgrades cancel out, a heal of no amount.
#include <gtest/gtest.h>

#include "game/services/data/static_database.h"
#include "game/services/data/static_lookups.h"
#include "game/model/object/object_actor.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/task_manager.h"
#include "tests/support/shipped_ids.h"
#include "tests/support/task_world.h"

namespace {

using namespace support::shipped;

constexpr std::uint32_t kHeal = MakeTag("THHP");
constexpr std::uint32_t kBandage = MakeTag("I015");

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

}  // namespace
