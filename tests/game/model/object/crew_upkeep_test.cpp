// Crew looking after themselves: a starving crew member eats at a table with a place free (passing a full one by) or from food lying on the grid (and gives the meal up when that food is gone), an exhausted one rests at home (never in quarters still being built), whatever its rest's record lists, and leaves its rest for a meal; members bound to a workroom do both.
#include <gtest/gtest.h>

#include "game/model/stores/food_storage.h"
#include "game/services/data/id_tags.h"
#include "game/services/data/static_lookups.h"
#include "game/model/object/actor_ai_base.h"
#include "game/model/object/object_actor.h"
#include "game/model/object/object_item.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/task_manager.h"
#include "tests/support/shipped_ids.h"
#include "tests/support/task_world.h"

namespace {

using namespace support::shipped;

constexpr std::uint32_t kBread = MakeTag("I026");

class CrewUpkeepTest : public support::TaskWorld {
protected:
    // Calorie 0, and no drain for a long while, so that what a meal gives stands out whole.
    static void Starve(GAME_CObjectActor& actor)
    {
        actor.status.calorie = 0;
        actor.status.calorieCountdown = 100000;
        actor.status.UpdateConditionFlags();
    }

    static std::int32_t TaskKind(const GAME_CObjectActor& actor)
    {
        return actor.task != nullptr ? actor.task->GetKind() : -1;
    }

    // Stamina 0: the crew member's AI sends it to rest in the next step. Its break, or null.
    GAME_CTaskBase* SendToRest(GAME_CObjectActor& sleeper)
    {
        sleeper.status.stamina = 0;
        sleeper.status.UpdateConditionFlags();
        StepSimulation(1);
        return TaskKind(sleeper) == kTaskBreak ? sleeper.task : nullptr;
    }
};

TEST_F(CrewUpkeepTest, AStarvingCrewMemberEatsAtATableWithFoodElseFoodLyingOnTheGrid)
{
    GAME_CRoomBase& kitchen = Place(kKitchen, 0, 0);
    FindFoodStorage(NumberOf(kitchen))->AddOne();
    GAME_CObjectActor& diner = AddCrew(5, 0);
    Starve(diner);
    StepSimulation(1);
    ASSERT_EQ(TaskKind(diner), kTaskMeal);
    EXPECT_EQ(diner.task->GetRoom(), &kitchen);
    ASSERT_TRUE(StepSimulationUntil([&] { return diner.task == nullptr; }, 2000));
    EXPECT_GE(diner.status.calorie, 29000);
    EXPECT_EQ(FindFoodStorage(NumberOf(kitchen))->GetCount(), 0);

    // Without a table: the bread lying on the grid.
    GAME_CObjectItem& bread = Drop(kBread, 2, 8, 0);
    const std::int32_t breadCalorie = FindItemData(kBread)->foodValue * 1000;
    Starve(diner);
    StepSimulation(1);
    ASSERT_EQ(TaskKind(diner), kTaskMealOnGrid);
    std::int32_t gained = 0;
    for (int step = 0; step < 2000 && diner.task != nullptr; ++step) {
        const std::int32_t before = diner.status.calorie;
        StepSimulation(1);
        gained = std::max(gained, diner.status.calorie - before);
    }
    EXPECT_EQ(diner.task, nullptr);
    EXPECT_EQ(gained, breadCalorie);
    EXPECT_EQ(bread.count, 1);
    EXPECT_TRUE(TasksOfKind(kTaskMealOnGrid).empty());
}

// The bread is eaten by another before the diner gets there: with nothing else to eat, the diner
// gives the meal up instead of standing on the empty cell for good, starving yet never weakening.
// The kitchen's two places are taken by the cooks bound to it: a starving member turned away at its
// door ordered the same meal there again and again, and never ate at the other kitchen further on.
// It now goes where a place is free, and orders nothing while no kitchen with food has one.
TEST_F(CrewUpkeepTest, AStarvingMemberPassesAFullKitchenByForOneWithAPlaceFree)
{
    GAME_CRoomBase& full = Place(kKitchen, 2, 0);
    FindFoodStorage(NumberOf(full))->AddOne();
    for (std::int32_t x : {2, 3}) full.AssignCrew(&AddCrew(x, 0));
    ASSERT_FALSE(full.HasPlaceFor(nullptr));
    GAME_CObjectActor& diner = AddCrew(0, 0);
    Starve(diner);
    for (int step = 0; step < 600; ++step) {
        StepSimulation(1);
        ASSERT_NE(TaskKind(diner), kTaskMeal) << "step " << step;
    }

    GAME_CRoomBase& open = Place(kKitchen, 8, 0);
    FindFoodStorage(NumberOf(open))->AddOne();
    EXPECT_TRUE(StepSimulationUntil([&] { return diner.status.calorie >= 29000; }, 3000));
    EXPECT_EQ(FindFoodStorage(NumberOf(open))->GetCount(), 0);
    EXPECT_EQ(FindFoodStorage(NumberOf(full))->GetCount(), 1);
}

TEST_F(CrewUpkeepTest, ADinerWhoseFoodOnTheGridIsGoneBeforeItArrivesGivesTheMealUp)
{
    GAME_CObjectItem& bread = Drop(kBread, 1, 8, 0);
    GAME_CObjectActor& diner = AddCrew(2, 0);
    Starve(diner);
    StepSimulation(1);
    ASSERT_EQ(TaskKind(diner), kTaskMealOnGrid);
    bread.count = 0;
    bread.dead = 1;
    ASSERT_TRUE(StepSimulationUntil([&] { return diner.cellX == 8; }, 2000));

    EXPECT_TRUE(StepSimulationUntil([&] { return TasksOfKind(kTaskMealOnGrid).empty(); }, 600));
    EXPECT_NE(TaskKind(diner), kTaskMealOnGrid);
}

TEST_F(CrewUpkeepTest, AnExhaustedCrewMemberRestsAtHomeAndLeavesTheRestWhollyForAMeal)
{
    GAME_CRoomBase& home = Place(kHome, 2, 0);
    GAME_CObjectActor& sleeper = AddCrew(7, 0);
    GAME_CTaskBase* rest = SendToRest(sleeper);
    ASSERT_NE(rest, nullptr);
    EXPECT_EQ(rest->id, MakeTag("TBRK"));
    EXPECT_EQ(rest->GetRoom(), &home);
    EXPECT_EQ(rest->GetRewardInterval(), 60);
    ASSERT_TRUE(StepSimulationUntil([&] { return home.IsAssigned(&sleeper) && rest->progress > 0; }, 1000));
    // The crew quarters of the shipped data take the sleeper in as its home.
    EXPECT_TRUE(home.IsPresent(&sleeper));
    EXPECT_EQ(sleeper.homeLink.room, &home);

    // Starving in the middle of its rest, it goes to eat: the rest and its room let it go.
    Drop(kBread, 1, 9, 0);
    Starve(sleeper);
    ASSERT_TRUE(sleeper.ai->SeekMeal(sleeper.cellX, sleeper.cellY));
    EXPECT_EQ(TaskKind(sleeper), kTaskMealOnGrid);
    EXPECT_FALSE(home.IsAssigned(&sleeper));
    EXPECT_TRUE(rest->crew.empty());
}

// Two members the player has bound to the workshop while it has no work for them: the hungry one
// eats at the kitchen's table and the tired one rests in the quarters. Each was turned away at the
// door for as long as it held the workshop's link, and ordered its meal or its rest again and again.
TEST_F(CrewUpkeepTest, CrewBoundToAWorkroomStillEatAtTheTableAndRestInTheQuarters)
{
    GAME_CRoomBase& kitchen = Place(kKitchen, 0, 0);
    GAME_CRoomBase& home = Place(kHome, 2, 0);
    GAME_CRoomBase& workshop = Place(kWorkshop, 8, 0);
    GAME_CFoodStorage& food = *FindFoodStorage(NumberOf(kitchen));
    food.AddOne();
    GAME_CObjectActor& diner = AddCrew(8, 0);
    GAME_CObjectActor& sleeper = AddCrew(9, 0);
    workshop.AssignCrew(&diner);
    workshop.AssignCrew(&sleeper);
    ASSERT_EQ(diner.workLink.room, &workshop);
    ASSERT_EQ(sleeper.workLink.room, &workshop);

    Starve(diner);
    GAME_CTaskBase* rest = SendToRest(sleeper);
    ASSERT_NE(rest, nullptr);
    ASSERT_EQ(TaskKind(diner), kTaskMeal);
    EXPECT_TRUE(StepSimulationUntil([&] { return food.GetCount() == 0; }, 2000));
    EXPECT_GE(diner.status.calorie, 29000);
    EXPECT_TRUE(StepSimulationUntil([&] { return home.IsAssigned(&sleeper) && sleeper.task == rest && rest->progress > 0; }, 1000));
}

// Quarters still being built, with their builder inside, gave no rest: a break there ended at once,
// and the tired member, homeless, ordered it again and again instead of sleeping in the finished
// quarters further on.
TEST_F(CrewUpkeepTest, ATiredMemberRestsInFinishedQuartersNotInOnesStillBeingBuilt)
{
    GAME_CRoomBase& finished = Place(kHome, 8, 0);
    GAME_CRoomBase* site = Ship().PlaceNewRoom(2, 0, FindRoomIdIndex(kHome), kHome, true);
    ASSERT_NE(site, nullptr);
    ASSERT_FALSE(site->IsBuiltOnGrid());
    GAME_CObjectActor& builder = AddCrew(2, 0);
    ASSERT_TRUE(site->TryAddCrew(&builder));
    GAME_CObjectActor& sleeper = AddCrew(6, 0);

    GAME_CTaskBase* rest = SendToRest(sleeper);
    ASSERT_NE(rest, nullptr);
    EXPECT_EQ(rest->GetRoom(), &finished);
    EXPECT_TRUE(StepSimulationUntil([&] { return finished.IsAssigned(&sleeper) && sleeper.task == rest && rest->progress > 0; }, 1000));
}

TEST_F(CrewUpkeepTest, ARestWaitsForNoDeliveryEvenWhenItsRecordListsMaterials)
{
    GAME_CRoomBase& home = Place(kHome, 2, 0);
    GAME_CObjectActor& sleeper = AddCrew(7, 0);
    GAME_CTaskBase* rest = SendToRest(sleeper);
    ASSERT_NE(rest, nullptr);
    ASSERT_NE(rest->GetTaskData(), nullptr);
    const_cast<TaskData&>(*rest->GetTaskData()).materials[0] = ItemCount{kTimber, 2};

    EXPECT_TRUE(StepSimulationUntil([&] { return home.IsAssigned(&sleeper) && rest->progress > 0; }, 1000));
    EXPECT_TRUE(rest->materials.empty());
}

}  // namespace
