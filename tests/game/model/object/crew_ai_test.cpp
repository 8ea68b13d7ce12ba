// The crew AI on the ship's grid: paths over the rows the ship joins, the walk into a task's room, and a behaviour that cannot be done giving way to the next.
#include <gtest/gtest.h>

#include "game/model/stores/food_storage.h"
#include "game/services/data/static_database.h"
#include "game/services/data/static_lookups.h"
#include "game/model/object/actor_ai_base.h"
#include "game/model/object/object_actor.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/task_manager.h"
#include "tests/support/shipped_ids.h"
#include "tests/support/task_world.h"

namespace {

using namespace support::shipped;

constexpr std::uint32_t kWork = MakeTag("TZZ2");

class CrewAITest : public support::TaskWorld {
protected:
    const TaskData& DefineWork()
    {
        TaskData& work = *GetStaticDatabase()->GetOrCreateTaskData(kWork);
        work.kind = kTaskItemCraft;
        work.crewLimit = 1;
        work.durationSeconds = 100;
        return work;
    }
};

TEST_F(CrewAITest, APathChangesRowsAtTheJoiningColumnAndTheCrewMemberWalksIntoItsTasksRoom)
{
    Place(kLadder, 5, 0);
    GAME_CRoomBase& workshop = Place(kWorkshop, 8, 1);
    GAME_CObjectActor& walker = AddCrew(1, 0);
    GAME_CActorAIBase& ai = *walker.ai;

    ai.startColumn = 1;
    ai.startRow = 0;
    ai.targetColumn = 8;
    ai.targetRow = 1;
    ASSERT_TRUE(ai.PlanPath());
    const std::vector<std::pair<int, int>> expected{{5, 0}, {5, 1}, {8, 1}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(ai.PathColumn(i), expected[i].first) << i;
        EXPECT_EQ(ai.PathRow(i), expected[i].second) << i;
    }
    EXPECT_EQ(ai.PathColumn(expected.size()), GAME_CActorAIBase::kNoCell);
    EXPECT_EQ(ai.GetPathCostFromActor(8, 1), 8);
    EXPECT_EQ(GAME_CShip::GetPathCost(1, 0, 8, 1), 8);

    // A row no room joins cannot be planned to: the path stays inactive.
    ai.targetRow = 3;
    ai.pathActive = 1;
    EXPECT_FALSE(ai.PlanPath());
    EXPECT_EQ(ai.pathActive, 0);
    EXPECT_EQ(ai.PathColumn(0), GAME_CActorAIBase::kNoCell);

    GAME_CTaskBase* work = GAME_CTaskBase::CreateFromRequest(MakeItemCraftRequest(DefineWork(), NumberOf(workshop), 0));
    ASSERT_NE(work, nullptr);
    ai.ClearTarget();
    ASSERT_TRUE(StepSimulationUntil([&] { return walker.assigned != 0; }, 600));
    EXPECT_EQ(walker.task, work);
    EXPECT_EQ(walker.cellX, 8);
    EXPECT_EQ(walker.cellY, 1);
    EXPECT_TRUE(workshop.IsAssigned(&walker));
    StepSimulation(5);
    EXPECT_GT(work->progress, 0);
}

TEST_F(CrewAITest, ATaskWhoseRoomCannotBeReachedLetsTheNextBehaviourRun)
{
    // The workshop stands on a row that no room joins to the crew's row.
    GAME_CRoomBase& workshop = Place(kWorkshop, 6, 2);
    GAME_CRoomBase& kitchen = Place(kKitchen, 2, 0);
    GAME_CFoodStorage* store = FindFoodStorage(NumberOf(kitchen));
    ASSERT_NE(store, nullptr);
    store->AddOne();
    ASSERT_EQ(store->GetCount(), 1);
    GAME_CObjectActor& hungry = AddCrew(0, 0);
    hungry.status.calorie = 0;
    hungry.status.UpdateConditionFlags();

    GAME_CTaskBase* work = GAME_CTaskBase::CreateFromRequest(MakeItemCraftRequest(DefineWork(), NumberOf(workshop), 0));
    ASSERT_NE(work, nullptr);
    work->AddCrew(&hungry);
    hungry.ai->thinkCountdown = 0;
    hungry.ai->Think();
    ASSERT_NE(hungry.task, nullptr);
    EXPECT_EQ(hungry.task->GetKind(), kTaskMeal);
    EXPECT_EQ(hungry.task->GetRoom(), &kitchen);
    EXPECT_TRUE(hungry.ai->HasPath());
    EXPECT_TRUE(work->crew.empty());
}

}  // namespace
