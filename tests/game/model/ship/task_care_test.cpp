// The care of hurt crew members: whom a heal picks as its patient and how the patient leaves the work it had.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "game/services/data/static_lookups.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_actor.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/task_manager.h"
#include "tests/support/shipped_ids.h"
#include "tests/support/task_world.h"

namespace {

using namespace support::shipped;

constexpr std::uint32_t kBandage = MakeTag("I015");
constexpr std::uint32_t kCold = MakeTag("N001");

using TaskCareTest = support::TaskWorld;

// Two hurt members: one is killed just before the heal looks for its patient, the other is busy
// with work ordered before the heal. The heal passes over the dying one, and the member it takes
// is then counted, shown and saved by the heal alone.
TEST_F(TaskCareTest, AHealPassesOverADyingMemberAndItsPatientLeavesItsFormerTaskAtOnce)
{
    GAME_CRoomBase& workshop = Place(kWorkshop, 0, 0);
    GAME_CRoomBase& infirmary = Place(kInfirmary, 4, 0);
    GAME_CObjectActor& dying = AddCrew(2, 0);
    GAME_CObjectActor& busy = AddCrew(0, 0);
    dying.status.hp = 30000;
    busy.status.hp = 30000;
    GAME_CTaskBase* work =
        GAME_CTaskBase::CreateFromRequest(MakeItemCraftRequest(*FindTaskData(MakeTag("TC01")), NumberOf(workshop), 0));
    ASSERT_NE(work, nullptr);
    work->materials = {kScrapIron, kScrapIron, kScrapIron};
    work->repeat = 1;
    work->AddCrew(&busy);
    GAME_CTaskBase* care = GAME_CTaskBase::CreateFromRequest(MakePatientRequest(NumberOf(infirmary), 0, 0, 0));
    ASSERT_NE(care, nullptr);
    care->materials.push_back(kBandage);

    // The first look for a patient comes after 180 steps; the death takes longer than the last ten.
    StepSimulation(170);
    ASSERT_EQ(care->GetTargetIndex().actor, nullptr);
    dying.status.hp = 0;
    StepSimulation(1);
    ASSERT_TRUE(dying.IsDying());
    ASSERT_TRUE(StepSimulationUntil([&] { return care->GetTargetIndex().actor != nullptr; }, 30));
    EXPECT_EQ(care->GetTargetIndex().actor, &busy);
    EXPECT_TRUE(dying.IsDying());

    // The step the heal takes its patient, the work before it no longer counts the member either,
    // and a save made then names it in the heal's record alone.
    ASSERT_EQ(care->GetTargetIndex().actor, &busy);
    StepSimulation(1);
    ASSERT_EQ(busy.task, care);
    ASSERT_EQ(care->crew, std::vector<GAME_CObjectActor*>{&busy});
    EXPECT_EQ(std::count(work->crew.begin(), work->crew.end(), &busy), 0);
    std::vector<std::uint8_t> slot(save_layout::kSlotSize, 0);
    InitSlotRecord(slot);
    Tasks().WriteSaveRecords(slot);
    const auto busyIndex = static_cast<std::uint8_t>(Field().GetActorIndex(&busy));
    int named = 0;
    for (int r = 0; r < save_layout::slot::kTaskRecordCount; ++r) {
        const std::size_t at = save_layout::slot::kTasks + static_cast<std::size_t>(r) * task_record::kSize;
        if (slot[at + task_record::kKind] == task_record::kNone) break;
        for (std::size_t i = 0; i < task_record::kSlots; ++i) named += slot[at + task_record::kCrew + i] == busyIndex ? 1 : 0;
    }
    EXPECT_EQ(named, 1);
}

// How many unfinished tasks list the member among their crew.
int CrewListsNaming(const GAME_CTaskManager& tasks, const GAME_CObjectActor& member)
{
    return static_cast<int>(std::count_if(tasks.tasks.begin(), tasks.tasks.end(), [&](const GAME_CTaskBase* task) {
        return task != nullptr && !task->IsFinished() && std::find(task->crew.begin(), task->crew.end(), &member) != task->crew.end();
    }));
}

// Two infirmaries looking for patients share the two hurt members out, one each, and heal both.
// An order of the same treatment for a member already in one is refused, as is an order for a
// dying member; first aid and a cure ordered for one member take turns, never pulling it between
// their rooms, and both end treated.
TEST_F(TaskCareTest, TwoInfirmariesNeverTreatOneMemberAtOnce)
{
    GAME_CRoomBase& first = Place(kInfirmary, 0, 0);
    GAME_CRoomBase& second = Place(kInfirmary, 4, 0);
    GAME_CObjectActor& hurt = AddCrew(2, 0);
    GAME_CObjectActor& alsoHurt = AddCrew(2, 0);
    hurt.status.hp = 30000;
    alsoHurt.status.hp = 30000;
    const auto orderHeal = [&](const GAME_CRoomBase& room, GAME_CObjectActor* patient) {
        GAME_CTaskRequest request = MakePatientRequest(NumberOf(room), 0, 0, 0);
        request.actor = patient;
        GAME_CTaskBase* care = GAME_CTaskBase::CreateFromRequest(request);
        if (care != nullptr) care->materials.push_back(kBandage);
        return care;
    };
    const auto healed = [](const GAME_CObjectActor& member) { return member.status.GetHP() >= member.status.computed.maxHp; };
    const auto stepWatchingLists = [&](const std::function<bool()>& done, int steps) {
        for (int i = 0; i < steps && !done(); ++i) {
            StepSimulation(1);
            EXPECT_LE(CrewListsNaming(Tasks(), hurt), 1) << "step " << i;
        }
        return done();
    };

    GAME_CTaskBase* firstCare = orderHeal(first, nullptr);
    GAME_CTaskBase* secondCare = orderHeal(second, nullptr);
    ASSERT_NE(firstCare, nullptr);
    ASSERT_NE(secondCare, nullptr);
    ASSERT_TRUE(StepSimulationUntil([&] { return firstCare->GetTargetIndex().actor != nullptr && secondCare->GetTargetIndex().actor != nullptr; }, 200));
    EXPECT_NE(firstCare->GetTargetIndex().actor, secondCare->GetTargetIndex().actor);
    ASSERT_TRUE(stepWatchingLists([&] { return healed(hurt) && healed(alsoHurt); }, 3000));
    StepSimulation(2);
    ASSERT_TRUE(TasksOfKind(kTaskPatient).empty());

    // The same first aid ordered in both rooms: the second order is not made. Nor is one for a
    // member playing its death.
    hurt.status.hp = 30000;
    GAME_CTaskBase* heal = orderHeal(first, &hurt);
    ASSERT_NE(heal, nullptr);
    EXPECT_EQ(orderHeal(second, &hurt), nullptr);
    alsoHurt.status.hp = 0;
    StepSimulation(1);
    ASSERT_TRUE(alsoHurt.IsDying());
    EXPECT_EQ(orderHeal(second, &alsoHurt), nullptr);

    // A cold's cure for the member in the other room: the two treatments take turns.
    hurt.status.AddDebuff(kCold);
    GAME_CTaskRequest request = MakePatientRequest(NumberOf(second), 0, kCold, 0);
    request.actor = &hurt;
    GAME_CTaskBase* cure = GAME_CTaskBase::CreateFromRequest(request);
    ASSERT_NE(cure, nullptr);
    ASSERT_EQ(cure->GetTaskData(), FindTreatmentData(kCold));
    for (const ItemCount& need : cure->GetTaskData()->materials) {
        if (IsUnusedItemCount(need)) break;
        cure->materials.insert(cure->materials.end(), static_cast<std::size_t>(need.count), need.itemId);
    }
    // A member handed to the waiting cure meanwhile is let go, not treated in the patient's place.
    GAME_CObjectActor& handed = AddCrew(2, 0);
    ASSERT_TRUE(StepSimulationUntil([&] { return hurt.task == heal; }, 10));
    cure->AddCrew(&handed);
    StepSimulation(1);
    EXPECT_TRUE(cure->crew.empty());
    EXPECT_EQ(handed.task, nullptr);
    const auto cured = [&] {
        return std::none_of(hurt.status.debuffs.begin(), hurt.status.debuffs.end(), [](const auto& slot) { return slot.id == kCold; });
    };
    // The cure's work costs HP again, so first aid counts as done once the member was whole.
    bool wasHealed = false;
    EXPECT_TRUE(stepWatchingLists([&] { return (wasHealed = wasHealed || healed(hurt)) && cured(); }, 4000));
    EXPECT_TRUE(wasHealed);
    EXPECT_TRUE(cured());
}

}  // namespace
