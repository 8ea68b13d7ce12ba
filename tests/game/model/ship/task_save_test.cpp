// The task area of a save slot: tasks written and made again as they were, the 1235-record limit, clamped fields and untrusted records.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <tuple>
#include <vector>

#include "game/services/data/item_data.h"
#include "game/services/data/static_lookups.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_actor.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/task_care.h"
#include "game/model/ship/task_manager.h"
#include "platform/little_endian.h"
#include "tests/support/log_capture.h"
#include "tests/support/shipped_ids.h"
#include "tests/support/task_world.h"

namespace {

using namespace support::shipped;

namespace slot = save_layout::slot;

// What a task is, in the terms its record keeps.
using Materials = std::vector<std::pair<std::uint32_t, std::int32_t>>;
using TaskSummary =
    std::tuple<std::int32_t, std::uint32_t, std::int32_t, std::int32_t, Materials, std::vector<std::int32_t>, std::uint32_t>;

class TaskSaveTest : public support::TaskWorld {
protected:
    static std::vector<std::uint8_t> EmptySlot()
    {
        std::vector<std::uint8_t> image(save_layout::kSlotSize, 0);
        InitSlotRecord(image);
        return image;
    }

    static std::span<std::uint8_t> Record(std::vector<std::uint8_t>& image, std::size_t index)
    {
        return std::span<std::uint8_t>(image).subspan(slot::kTasks + index * task_record::kSize, task_record::kSize);
    }

    std::vector<TaskSummary> Summarise() const
    {
        std::vector<TaskSummary> summaries;
        for (const GAME_CTaskBase* task : Tasks().tasks) {
            if (task == nullptr || task->IsFinished()) continue;
            std::vector<std::int32_t> crew;
            for (const GAME_CObjectActor* actor : task->crew) crew.push_back(Field().GetActorIndex(actor));
            Materials materials;
            for (const ItemCount& pair : task->CollectMaterialPairs()) materials.emplace_back(pair.itemId, pair.count);
            // What was delivered counts, not in which order (a doctor keeps its task data's).
            std::sort(materials.begin(), materials.end());
            summaries.emplace_back(task->GetKind(), task->id, task->progress, task->GetRoomIndex(), materials, crew,
                                   task->repeat);
        }
        return summaries;
    }
};

TEST_F(TaskSaveTest, TasksComeBackFromTheirRecordsAndAreWrittenAgainByteForByte)
{
    GAME_CRoomBase& workshop = Place(kWorkshop, 0, 0);
    GAME_CRoomBase& kitchen = Place(kKitchen, 2, 0);
    GAME_CRoomBase& infirmary = Place(kInfirmary, 4, 0);
    GAME_CRoomBase& engine = Place(kEngine, 5, 0);
    GAME_CObjectActor& crafter = AddCrew(0, 0);
    GAME_CObjectActor& patient = AddCrew(4, 0);
    GAME_CObjectActor& doctor = AddCrew(4, 0);

    GAME_CTaskBase* craft =
        GAME_CTaskBase::CreateFromRequest(MakeItemCraftRequest(*FindTaskData(MakeTag("TC01")), NumberOf(workshop), 0));
    ASSERT_NE(craft, nullptr);
    craft->materials = {kScrapIron, kTimber, kScrapIron};
    craft->repeat = 1;
    craft->AddCrew(&crafter);
    ASSERT_NE(GAME_CTaskBase::CreateFromRequest(MakeCookingRequest(NumberOf(kitchen))), nullptr);
    GAME_CTaskBase* care = GAME_CTaskBase::CreateFromRequest(MakePatientRequest(NumberOf(infirmary), 0, 0, 0));
    ASSERT_NE(care, nullptr);
    care->AddCrew(&patient);
    care->progress = 77;
    GAME_CTaskBase* beside = GAME_CTaskBase::CreateFromRequest(MakeDoctorRequest(NumberOf(infirmary)));
    ASSERT_NE(beside, nullptr);
    beside->AddCrew(&doctor);
    // A doctor keeps its materials in the slots of its task data's pairs, whatever came first.
    TaskData& doctorData = const_cast<TaskData&>(*beside->GetTaskData());
    const std::array<ItemCount, 5> doctorMaterials = doctorData.materials;
    doctorData.materials = {ItemCount{kTimber, 2}, ItemCount{kScrapIron, 3}};
    beside->materials = {kScrapIron, kTimber, kScrapIron};
    GAME_CTaskBase* maintenance = GAME_CTaskBase::CreateFromRequest(MakeEngineMaintenanceRequest(NumberOf(engine), 0));
    ASSERT_NE(maintenance, nullptr);
    maintenance->progress = 500;
    GAME_CTaskBase* carry = GAME_CTaskBase::CreateFromRequest(MakeCarryFromStoreRequest(craft, NumberOf(workshop), kTimber, 4));
    ASSERT_NE(carry, nullptr);
    carry->SetTargetIndex(CreateItemData(kTimber, 3));
    ASSERT_NE(GAME_CTaskBase::CreateFromRequest(MakeMealOnGridRequest()), nullptr);

    std::vector<std::uint8_t> first = EmptySlot();
    Tasks().WriteSaveRecords(first);
    const std::vector<TaskSummary> before = Summarise();
    ASSERT_GE(before.size(), 7u);
    std::size_t doctorRecord = 0;
    while (Record(first, doctorRecord)[task_record::kKind] != kTaskDoctor) ASSERT_LT(++doctorRecord, before.size());
    const std::span<std::uint8_t> written = Record(first, doctorRecord);
    EXPECT_EQ(platform::ReadU32(written, task_record::kMaterialIds), kTimber);
    EXPECT_EQ(platform::ReadU32(written, task_record::kMaterialIds + 4), kScrapIron);
    EXPECT_EQ(platform::ReadU32(written, task_record::kMaterialIds + 8), kNoId);
    EXPECT_EQ(written[task_record::kMaterialCounts], 1);
    EXPECT_EQ(written[task_record::kMaterialCounts + 1], 2);

    Tasks().RestoreFromSave(first);
    EXPECT_EQ(Summarise(), before);
    const std::vector<GAME_CTaskBase*> doctors = TasksOfKind(kTaskDoctor);
    const std::vector<GAME_CTaskBase*> patients = TasksOfKind(kTaskPatient);
    ASSERT_EQ(doctors.size(), 1u);
    ASSERT_EQ(patients.size(), 1u);
    EXPECT_EQ(static_cast<const GAME_CTaskDoctor*>(doctors[0])->GetLinkedTask(), patients[0]);

    std::vector<std::uint8_t> second = EmptySlot();
    Tasks().WriteSaveRecords(second);
    EXPECT_TRUE(std::equal(first.begin() + slot::kTasks, first.begin() + slot::kTasks + slot::kTasksSize,
                           second.begin() + slot::kTasks));
    doctorData.materials = doctorMaterials;
}

TEST_F(TaskSaveTest, OnlyTheFirst1235TasksAreWrittenAndWideFieldsAreClampedNotWrapped)
{
    GAME_CRoomBase& workshop = Place(kWorkshop, 0, 0);
    GAME_CTaskBase* craft =
        GAME_CTaskBase::CreateFromRequest(MakeItemCraftRequest(*FindTaskData(MakeTag("TC01")), NumberOf(workshop), 1));
    ASSERT_NE(craft, nullptr);
    craft->materials.assign(300, kScrapIron);
    craft->progress = 40000;
    craft->repeat = 1;
    while (Tasks().tasks.size() < 1300) ASSERT_NE(GAME_CTaskBase::CreateFromRequest(MakeMealOnGridRequest()), nullptr);
    Tasks().tasks[10]->Finish();

    std::vector<std::uint8_t> image = EmptySlot();
    Tasks().WriteSaveRecords(image);
    std::size_t used = 0;
    while (used < static_cast<std::size_t>(slot::kTaskRecordCount) && Record(image, used)[task_record::kKind] != 255) ++used;
    EXPECT_EQ(used, 1234u);
    const std::span<std::uint8_t> first = Record(image, 0);
    EXPECT_EQ(platform::ReadU32(first, task_record::kMaterialIds), kScrapIron);
    EXPECT_EQ(first[task_record::kMaterialCounts], 255);
    EXPECT_EQ(static_cast<std::int16_t>(platform::ReadU16(first, task_record::kProgress)), 32767);
    EXPECT_EQ(platform::ReadU32(image, slot::kTaskRepeatBits) & 1u, 1u);
}

TEST_F(TaskSaveTest, UntrustedRecordsAreDroppedWithALogLineAndEveryTaskLeftIsSound)
{
    GAME_CRoomBase& workshop = Place(kWorkshop, 0, 0);
    AddCrew(0, 0);
    std::vector<std::uint8_t> image = EmptySlot();
    const auto write = [&](std::size_t index, std::uint32_t id, std::uint8_t kind, std::uint8_t room) {
        const std::span<std::uint8_t> record = Record(image, index);
        platform::WriteU32(record, task_record::kId, id);
        record[task_record::kKind] = kind;
        record[task_record::kRoom] = room;
        return record;
    };
    write(0, MakeTag("TZZZ"), 1, 0);
    write(1, MakeTag("TZZZ"), 40, 0);
    std::span<std::uint8_t> craft = write(2, MakeTag("TC01"), kTaskItemCraft, static_cast<std::uint8_t>(NumberOf(workshop)));
    platform::WriteU32(craft, task_record::kMaterialIds, kScrapIron);
    craft[task_record::kMaterialCounts] = 2;
    platform::WriteU32(craft, task_record::kMaterialIds + 4, MakeTag("ZZZZ"));
    craft[task_record::kMaterialCounts + 1] = 5;
    craft[task_record::kCrew] = 0;
    craft[task_record::kCrew + 1] = 99;
    platform::WriteU16(craft, task_record::kProgress, static_cast<std::uint16_t>(-5));
    std::span<std::uint8_t> doctor = write(3, MakeTag("TDCT"), kTaskDoctor, static_cast<std::uint8_t>(NumberOf(workshop)));
    platform::WriteU32(doctor, task_record::kKindWord, 0);
    write(4, MakeTag("TMNT"), kTaskEngineMaintenance, 200);

    support::LogCapture log;
    Tasks().RestoreFromSave(image);
    EXPECT_TRUE(log.Contains("kind 1 is no task's"));
    EXPECT_TRUE(log.Contains("kind 40 is no task's"));
    EXPECT_TRUE(log.Contains("unknown material 'ZZZZ'"));
    EXPECT_TRUE(log.Contains("crew member 99"));
    EXPECT_TRUE(log.Contains("doctor whose patient task is not saved"));

    StepSimulation(1);
    ASSERT_EQ(Tasks().tasks.size(), 1u);
    const GAME_CTaskBase* task = Tasks().tasks[0];
    EXPECT_EQ(task->GetKind(), kTaskItemCraft);
    EXPECT_EQ(task->GetRoom(), &workshop);
    EXPECT_EQ(task->progress, 0);
    EXPECT_EQ(task->CountMaterial(kScrapIron), 2);
    EXPECT_EQ(task->materials.size(), 2u);
    for (const GAME_CObjectActor* actor : task->crew) EXPECT_GE(Field().GetActorIndex(actor), 0);
}

// A member works at one task: a second record naming it is not believed, and a member saved in the
// frame its HP ran out is playing its death and comes back in no task (a heal would otherwise hold
// it as its patient, and its task would count it as crew until the death ends).
TEST_F(TaskSaveTest, EachMemberComesBackInOneTaskAtMostAndADyingOneInNone)
{
    GAME_CRoomBase& workshop = Place(kWorkshop, 0, 0);
    GAME_CRoomBase& infirmary = Place(kInfirmary, 4, 0);
    GAME_CObjectActor& worker = AddCrew(0, 0);
    GAME_CObjectActor& dying = AddCrew(2, 0);
    dying.status.hp = 0;
    StepSimulation(1);
    ASSERT_TRUE(dying.IsDying());
    std::vector<std::uint8_t> image = EmptySlot();
    const std::span<std::uint8_t> craft = Record(image, 0);
    platform::WriteU32(craft, task_record::kId, MakeTag("TC01"));
    craft[task_record::kKind] = kTaskItemCraft;
    craft[task_record::kRoom] = static_cast<std::uint8_t>(NumberOf(workshop));
    std::fill_n(craft.begin() + task_record::kCrew, task_record::kSlots, task_record::kNone);
    craft[task_record::kCrew] = static_cast<std::uint8_t>(Field().GetActorIndex(&worker));
    const std::span<std::uint8_t> care = Record(image, 1);
    std::copy(craft.begin(), craft.end(), care.begin());
    platform::WriteU32(care, task_record::kId, MakeTag("THHP"));
    platform::WriteU32(care, task_record::kKindWord, kNoId);
    care[task_record::kKind] = kTaskPatient;
    care[task_record::kRoom] = static_cast<std::uint8_t>(NumberOf(infirmary));
    care[task_record::kCrew + 1] = static_cast<std::uint8_t>(Field().GetActorIndex(&dying));

    support::LogCapture log;
    Tasks().RestoreFromSave(image);
    EXPECT_TRUE(log.Contains("who already works at another task"));
    const std::vector<GAME_CTaskBase*> crafts = TasksOfKind(kTaskItemCraft);
    const std::vector<GAME_CTaskBase*> heals = TasksOfKind(kTaskPatient);
    ASSERT_EQ(crafts.size(), 1u);
    ASSERT_EQ(heals.size(), 1u);
    EXPECT_EQ(crafts[0]->crew, std::vector<GAME_CObjectActor*>{&worker});
    EXPECT_EQ(worker.task, crafts[0]);
    EXPECT_TRUE(heals[0]->crew.empty());
    EXPECT_EQ(heals[0]->GetTargetIndex().actor, nullptr);
    EXPECT_EQ(dying.task, nullptr);
}

}  // namespace
