// Stacks lying on the field while crew carry them: what a consumer of lying units takes while a carrier is on its way, and a road script's take while one is carried.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>

#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_actor.h"
#include "game/model/object/object_item.h"
#include "game/model/ship/task_base.h"
#include "game/model/stores/stored_items.h"
#include "game/model/travel/route_commands.h"
#include "game/model/travel/script_route.h"
#include "platform/little_endian.h"
#include "tests/support/shipped_ids.h"
#include "tests/support/task_world.h"

namespace {

using namespace support::shipped;

using FieldCarryTest = support::TaskWorld;

TEST_F(FieldCarryTest, UnitsTakenFromTheFieldComeFromTheStacksNoCarrierIsOnItsWayToFirst)
{
    Place(kStoreroom, 0, 0);
    GAME_CObjectItem& sent = Drop(kGrain, 5, 5, 0);
    Drop(kGrain, 5, 8, 0);
    GAME_CObjectActor& carrier = AddCrew(4, 0);
    ASSERT_TRUE(StepSimulationUntil([&] { return carrier.task != nullptr; }, 600));
    ASSERT_EQ(carrier.task->GetKind(), kTaskItemCarrier);
    ASSERT_EQ(carrier.task->GetTargetIndex().item, &sent);
    ASSERT_EQ(sent.carrier, nullptr);

    // Seven units go: the five nobody is fetching, then two of the stack the carrier walks to.
    Field().ConsumeFieldItems(kGrain, 7);
    EXPECT_EQ(sent.count, 3);
    EXPECT_EQ(CountFieldItem(kGrain), 3);
    EXPECT_EQ(carrier.task->GetTargetIndex().item, &sent);

    // The carrier brings what is left of its stack in, and nothing more turns up or goes astray.
    ASSERT_TRUE(StepSimulationUntil([&] { return CountStoredItem(kGrain) == 3; }, 3000));
    EXPECT_EQ(CountItemAboard(kGrain), 3);
}

// A road script taking units lets every carrier go of its task, whatever it carries; the task lets
// go of the carrier too, and does not take it back at its next step. The carrier still brings its
// stack in, and what the script took is gone.
TEST_F(FieldCarryTest, ACarrierLetGoByARoadScriptsTakeIsNoLongerCountedByItsCarry)
{
    Place(kStoreroom, 0, 0);
    GAME_CObjectItem& grain = Drop(kGrain, 5, 5, 0);
    Drop(kTimber, 2, 8, 0);
    GAME_CObjectActor& carrier = AddCrew(4, 0);
    ASSERT_TRUE(StepSimulationUntil([&] { return grain.carrier == &carrier; }, 600));
    GAME_CTaskBase* carry = carrier.task;
    ASSERT_NE(carry, nullptr);
    ASSERT_EQ(carry->GetKind(), kTaskItemCarrier);

    std::array<std::uint8_t, 8> args{};
    platform::WriteU32(args.data(), kTimber);
    platform::WriteU32(args.data() + 4, 2);
    GAME_CScriptRoute engine(nullptr);
    route_commands::TakeItems(engine, 0, route_commands::ScriptArgs(args.data(), args.size()), 0);
    EXPECT_EQ(carrier.task, nullptr);
    EXPECT_EQ(std::count(carry->crew.begin(), carry->crew.end(), &carrier), 0);
    StepSimulation(1);
    EXPECT_NE(carrier.task, carry) << "the carry took its carrier back";

    ASSERT_TRUE(StepSimulationUntil([&] { return CountStoredItem(kGrain) == 5; }, 3000));
    EXPECT_EQ(CountItemAboard(kTimber), 0);
}

}  // namespace
