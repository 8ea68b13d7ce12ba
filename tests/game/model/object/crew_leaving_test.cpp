// A crew member leaving the ship for good, on the road or by dismissal: no room or task keeps it, so that newcomers inherit none of its places.
#include <gtest/gtest.h>

#include <algorithm>

#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_actor.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/task_base.h"
#include "game/model/ship/task_request.h"
#include "tests/support/shipped_ids.h"
#include "tests/support/task_world.h"

namespace {

using namespace support::shipped;

using CrewLeavingTest = support::TaskWorld;

bool Lists(const GAME_CTaskBase& task, const GAME_CObjectActor& member)
{
    return std::find(task.crew.begin(), task.crew.end(), &member) != task.crew.end();
}

// Two members go in one sweep, as a road's loss takes one: the engine's worker and the patient an
// infirmary order names. The two who join next come in their pooled objects; neither is the engine's
// crew, works its upkeep or is the patient of the order.
TEST_F(CrewLeavingTest, NewcomersInTheObjectsOfMembersWhoLeftInheritNoneOfTheirRoomsOrTasks)
{
    GAME_CRoomBase& engine = Place(kEngine, 0, 2);
    GAME_CRoomBase& infirmary = Place(kInfirmary, 4, 2);
    GAME_CTaskBase* upkeep = GAME_CTaskBase::CreateFromRequest(MakeEngineMaintenanceRequest(NumberOf(engine), 0));
    ASSERT_NE(upkeep, nullptr);
    GAME_CObjectActor& worker = AddCrew(0, 2);
    engine.AssignCrew(&worker);
    upkeep->AddCrew(&worker);
    ASSERT_TRUE(engine.IsPresent(&worker));

    GAME_CObjectActor& patient = AddCrew(8, 2);
    patient.status.hp = 1000;
    GAME_CTaskRequest order = MakePatientRequest(NumberOf(infirmary), 0, 0, 0);
    order.actor = &patient;
    GAME_CTaskBase* care = GAME_CTaskBase::CreateFromRequest(order);
    ASSERT_NE(care, nullptr);
    ASSERT_EQ(care->GetTargetIndex().actor, &patient);

    worker.dead = 1;
    patient.dead = 1;
    Field().RemoveDeadActors();
    GAME_CObjectActor& first = AddCrew(2, 0);
    GAME_CObjectActor& second = AddCrew(3, 0);
    ASSERT_TRUE((&first == &worker || &first == &patient) && (&second == &worker || &second == &patient))
        << "the pool hands out the objects just returned";
    for (const GAME_CObjectActor* newcomer : {&first, &second}) {
        EXPECT_FALSE(Lists(*upkeep, *newcomer));
        EXPECT_FALSE(engine.IsAssigned(newcomer));
        EXPECT_FALSE(engine.IsPresent(newcomer));
        EXPECT_NE(care->GetTargetIndex().actor, newcomer);
    }
}

}  // namespace
