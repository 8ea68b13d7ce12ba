// The care of hurt crew members: whom a heal picks as its patient and how the patient leaves the work it had.
#include <gtest/gtest.h>

#include <algorithm>
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

}  // namespace
