// The shared task step: progress at the crew's speed, the meter costs in parts, the sounds, the crew limit and slow crew.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "game/services/data/static_database.h"
#include "game/services/data/static_lookups.h"
#include "game/model/object/object_actor.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/task_manager.h"
#include "tests/support/shipped_ids.h"
#include "tests/support/task_world.h"

namespace {

using namespace support::shipped;

constexpr std::uint32_t kWork = MakeTag("TZZ1");
constexpr std::uint32_t kColdDebuff = MakeTag("N001");  // slows work to 800 per mille

class TaskTickTest : public support::TaskWorld {
protected:
    // A crafting record that makes nothing: one crew member, the seconds and the stamina it costs.
    const TaskData& DefineWork(std::int32_t seconds, std::int32_t stamina)
    {
        TaskData& work = *GetStaticDatabase()->GetOrCreateTaskData(kWork);
        work.kind = kTaskItemCraft;
        work.crewLimit = 1;
        work.durationSeconds = seconds;
        work.staminaChange = stamina;
        work.calorieChange = 0;
        work.startSound = 14;
        work.completionSound = 37;
        return work;
    }

    // A crew member inside the workshop and the work ordered there.
    GAME_CTaskBase* OrderWork(const TaskData& work, GAME_CRoomBase& room, GAME_CObjectActor& worker)
    {
        room.TryAddCrew(&worker);
        return GAME_CTaskBase::CreateFromRequest(MakeItemCraftRequest(work, NumberOf(room), 0));
    }
};

TEST_F(TaskTickTest, TheMeterCostIsChargedInOnePartPerSecondAndTheRemainderAtCompletion)
{
    GAME_CRoomBase& workshop = Place(kWorkshop, 2, 0);
    GAME_CObjectActor& worker = AddCrew(2, 0);
    GAME_CTaskBase* task = OrderWork(DefineWork(30, 3010), workshop, worker);
    ASSERT_NE(task, nullptr);
    ASSERT_EQ(task->GetTaskValue(), 1800);
    std::vector<std::pair<std::int32_t, std::int32_t>> charges;  // progress, stamina lost
    std::int32_t progress = 0;
    for (int step = 0; step < 2000 && IsListed(task); ++step) {
        const std::int32_t before = worker.status.stamina;
        progress = task->progress;
        StepSimulation(1);
        if (worker.status.stamina != before) charges.emplace_back(IsListed(task) ? task->progress : progress + 1, before - worker.status.stamina);
    }
    ASSERT_EQ(charges.size(), 30u);
    for (std::size_t i = 0; i < 29; ++i) {
        EXPECT_EQ(charges[i], std::make_pair(static_cast<std::int32_t>(60 * (i + 1)), 100)) << i;
    }
    EXPECT_EQ(charges.back(), std::make_pair(1800, 110));
    EXPECT_FALSE(IsListed(task));
}

TEST_F(TaskTickTest, MoreFitCrewThanTheLimitStopsProgressAndAFirstStepThatCompletesPlaysBothSounds)
{
    GAME_CRoomBase& workshop = Place(kWorkshop, 2, 0);
    GAME_CObjectActor& first = AddCrew(2, 0);
    GAME_CObjectActor& second = AddCrew(3, 0);
    GAME_CTaskBase* task = OrderWork(DefineWork(30, 0), workshop, first);
    ASSERT_NE(task, nullptr);
    StepSimulation(3);
    ASSERT_GT(task->progress, 0);
    workshop.TryAddCrew(&second);
    task->AddCrew(&second);
    const std::int32_t held = task->progress;
    StepSimulation(10);
    EXPECT_EQ(task->progress, held);

    // Work of no time: its first step of progress completes it.
    Tasks().RemoveRoomTasks(nullptr);
    GAME_CTaskBase* instant = OrderWork(DefineWork(0, 0), workshop, first);
    ASSERT_NE(instant, nullptr);
    std::vector<std::uint32_t> sounds;
    for (int step = 0; step < 10 && IsListed(instant); ++step) sounds = StepAndListSounds();
    EXPECT_FALSE(IsListed(instant));
    EXPECT_NE(std::find(sounds.begin(), sounds.end(), 14u), sounds.end());
    EXPECT_NE(std::find(sounds.begin(), sounds.end(), 37u), sounds.end());
}

TEST_F(TaskTickTest, WorkSlowerThanFullSpeedStillSplitsItsCostInAtLeastOnePart)
{
    GAME_CRoomBase& workshop = Place(kWorkshop, 2, 0);
    GAME_CObjectActor& worker = AddCrew(2, 0);
    worker.status.AddDebuff(kColdDebuff);
    ASSERT_EQ(worker.status.debuffs[0].id, kColdDebuff);
    GAME_CTaskBase* task = OrderWork(DefineWork(1, 3010), workshop, worker);
    ASSERT_NE(task, nullptr);
    const std::int32_t before = worker.status.stamina;
    ASSERT_TRUE(StepSimulationUntil([&] { return !IsListed(task); }, 200));
    // 800 per mille for one second is no whole part: the whole cost comes at completion.
    EXPECT_EQ(before - worker.status.stamina, 3010);
}

}  // namespace
