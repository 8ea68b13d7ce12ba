// Who gets a task: a full room's own crew only, else the nearest fit idle crew member, crew bound elsewhere last, never a dying one, and no carrying while the bridge is empty.
#include <gtest/gtest.h>

#include <vector>

#include "game/services/data/id_tags.h"
#include "game/services/data/static_lookups.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_actor.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/task_manager.h"
#include "tests/support/shipped_ids.h"
#include "tests/support/task_world.h"

namespace {

using namespace support::shipped;

class CrewHandOutTest : public support::TaskWorld {
protected:
    // A new cooking task of the kitchen, with nobody on it yet.
    GAME_CTaskBase& Cooking(GAME_CRoomBase& kitchen)
    {
        GAME_CTaskBase* task = GAME_CTaskBase::CreateFromRequest(MakeCookingRequest(NumberOf(kitchen), 1));
        EXPECT_NE(task, nullptr);
        return *task;
    }

    GAME_CObjectActor* HandOut(GAME_CTaskBase& task)
    {
        const std::size_t before = task.crew.size();
        Field().AssignCrewToTask(&task, false, false);
        return task.crew.size() > before ? task.crew.back() : nullptr;
    }
};

TEST_F(CrewHandOutTest, AFullKitchenTakesItsBoundCrewWhoCanReachIt_ElseCrewInside_ElseNobody)
{
    GAME_CRoomBase& kitchen = Place(kKitchen, 2, 0);
    GAME_CObjectActor& bound = AddCrew(0, 2);  // on a row no room joins to the kitchen's
    GAME_CObjectActor& inside = AddCrew(2, 0);
    GAME_CObjectActor& outsider = AddCrew(4, 0);
    kitchen.AssignCrew(&bound);
    kitchen.TryAddCrew(&inside);
    ASSERT_EQ(kitchen.CountCrew(), kitchen.capacity);

    GAME_CTaskBase& first = Cooking(kitchen);
    EXPECT_EQ(HandOut(first), &inside);
    GAME_CTaskBase& second = Cooking(kitchen);
    EXPECT_EQ(HandOut(second), nullptr);
    EXPECT_EQ(outsider.task, nullptr);

    // Standing where it can walk to the kitchen, the bound crew member comes first.
    Field().AssignCrewToTask(&first, true, false);
    Ship().GetCellFloorPoint(0, 0, &bound.position.x, &bound.position.y, false);
    bound.UpdateGridCell();
    EXPECT_EQ(HandOut(second), &bound);
}

TEST_F(CrewHandOutTest, AKitchenWithRoomTakesTheNearestIdleCrewMemberAndABuildTakesCrewBoundElsewhereLast)
{
    GAME_CRoomBase& kitchen = Place(kKitchen, 2, 0);
    GAME_CObjectActor& far = AddCrew(9, 0);
    GAME_CObjectActor& near = AddCrew(5, 0);
    GAME_CObjectActor& tired = AddCrew(3, 0);
    tired.status.stamina = 0;
    tired.status.UpdateConditionFlags();
    EXPECT_EQ(HandOut(Cooking(kitchen)), &near);
    EXPECT_EQ(far.task, nullptr);

    // A build: a crew member working in another room is passed over while anyone else will do.
    GAME_CRoomBase& workshop = Place(kWorkshop, 6, 0);
    workshop.AssignCrew(&far);
    GAME_CObjectActor& free = AddCrew(0, 0);
    GAME_CRoomBase* site = Ship().PlaceNewRoom(8, 0, FindRoomIdIndex(kInfirmary), kInfirmary, true);
    ASSERT_NE(site, nullptr);
    const std::vector<GAME_CTaskBase*> builds = TasksOfKind(kTaskRoomBuild);
    ASSERT_EQ(builds.size(), 1u);
    EXPECT_EQ(HandOut(*builds[0]), &free);
    EXPECT_EQ(HandOut(*builds[0]), &far);
}

TEST_F(CrewHandOutTest, NothingIsCarriedWhileTheBridgeHasNoDriver)
{
    GAME_CRoomBase& bridge = Place(kBridge, 0, 0);
    GAME_CRoomBase& workshop = Place(kWorkshop, 4, 0);
    AddCrew(6, 0);
    GAME_CTaskBase* driver = GAME_CTaskBase::CreateFromRequest(MakeBridgeDriverRequest(NumberOf(bridge)));
    ASSERT_NE(driver, nullptr);
    GAME_CTaskBase* carry =
        GAME_CTaskBase::CreateFromRequest(MakeCarryFromStoreRequest(nullptr, NumberOf(workshop), kTimber, 1));
    ASSERT_NE(carry, nullptr);
    EXPECT_FALSE(Tasks().AreDriveAndAttackTasksManned());
    EXPECT_EQ(HandOut(*carry), nullptr);
    EXPECT_EQ(HandOut(*driver), Field().crew.back());
    EXPECT_TRUE(Tasks().AreDriveAndAttackTasksManned());
}

// The step asks after the drive tasks and the store carries without walking the whole list: each
// order, finish and removal shows in the answers at once.
TEST_F(CrewHandOutTest, TheDriverAndTheStoreCarriesAreFoundAfterEveryChangeOfTheList)
{
    GAME_CRoomBase& bridge = Place(kBridge, 0, 0);
    GAME_CRoomBase& kitchen = Place(kKitchen, 4, 0);
    EXPECT_TRUE(Tasks().AreDriveAndAttackTasksManned());
    GAME_CTaskBase* driver = GAME_CTaskBase::CreateFromRequest(MakeBridgeDriverRequest(NumberOf(bridge)));
    ASSERT_NE(driver, nullptr);
    EXPECT_FALSE(Tasks().AreDriveAndAttackTasksManned());
    driver->Finish();
    StepSimulation(1);
    EXPECT_FALSE(IsListed(driver));
    EXPECT_TRUE(Tasks().AreDriveAndAttackTasksManned());
    ASSERT_NE(GAME_CTaskBase::CreateFromRequest(MakeBridgeDriverRequest(NumberOf(bridge))), nullptr);
    EXPECT_FALSE(Tasks().AreDriveAndAttackTasksManned());
    Tasks().RemoveRoomTasks(&bridge);
    EXPECT_TRUE(Tasks().AreDriveAndAttackTasksManned());

    GAME_CTaskBase& cooking = Cooking(kitchen);
    std::vector<GAME_CTaskBase*> children;
    Tasks().GetChildTasks(&cooking, children);
    EXPECT_TRUE(children.empty());
    GAME_CTaskBase* carry =
        GAME_CTaskBase::CreateFromRequest(MakeCarryFromStoreRequest(&cooking, NumberOf(kitchen), kTimber, 1));
    ASSERT_NE(carry, nullptr);
    Tasks().GetChildTasks(&cooking, children);
    EXPECT_EQ(children, std::vector<GAME_CTaskBase*>{carry});
    carry->Finish();
    Tasks().PurgeFinishedTasks();
    Tasks().GetChildTasks(&cooking, children);
    EXPECT_TRUE(children.empty());
}

// Killed by a hit, a crew member plays its death for a while before it is gone: no work is handed
// to it meanwhile, or the bridge would count as driven by the dead.
TEST_F(CrewHandOutTest, ADyingCrewMemberIsHandedNoWork)
{
    GAME_CRoomBase& bridge = Place(kBridge, 0, 0);
    GAME_CObjectActor& dying = AddCrew(2, 0);
    GAME_CObjectActor& living = AddCrew(8, 0);
    dying.status.hp = 0;
    StepSimulation(1);
    ASSERT_TRUE(dying.IsDying());
    ASSERT_TRUE(dying.IsActive());

    GAME_CTaskBase* driver = GAME_CTaskBase::CreateFromRequest(MakeBridgeDriverRequest(NumberOf(bridge)));
    ASSERT_NE(driver, nullptr);
    EXPECT_EQ(HandOut(*driver), &living);
    EXPECT_EQ(dying.task, nullptr);
}

}  // namespace
