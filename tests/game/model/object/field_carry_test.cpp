// Stacks lying on the field while crew carry them: what a consumer of lying units takes while a carrier is on its way.
#include <gtest/gtest.h>

#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_actor.h"
#include "game/model/object/object_item.h"
#include "game/model/ship/task_base.h"
#include "game/model/stores/stored_items.h"
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

}  // namespace
