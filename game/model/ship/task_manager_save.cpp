// The task area of a save slot: every unfinished task written as a 44-byte record with its repeat bit, and the tasks made again from the records.
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "game/services/data/tag.h"
#include "game/services/save/save_field_log.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/ship_world.h"
#include "game/model/ship/task_care.h"
#include "game/model/ship/task_factory.h"
#include "game/model/ship/task_manager.h"
#include "platform/little_endian.h"

namespace {

using save_layout::slot::kTaskRecordCount;
constexpr std::size_t kRepeatBits = save_layout::slot::kTaskRepeatBits - save_layout::slot::kTasks;

std::span<std::uint8_t> TaskArea(std::span<std::uint8_t> slot)
{
    return slot.subspan(save_layout::slot::kTasks, save_layout::slot::kTasksSize);
}

std::span<const std::uint8_t> TaskArea(std::span<const std::uint8_t> slot)
{
    return slot.subspan(save_layout::slot::kTasks, save_layout::slot::kTasksSize);
}

bool GetRepeatBit(std::span<const std::uint8_t> area, std::size_t index)
{
    return (platform::ReadU32(area, kRepeatBits + 4 * (index / 32)) >> (index % 32) & 1u) != 0;
}

void SetRepeatBit(std::span<std::uint8_t> area, std::size_t index)
{
    const std::size_t offset = kRepeatBits + 4 * (index / 32);
    platform::WriteU32(area, offset, platform::ReadU32(area, offset) | 1u << (index % 32));
}

std::string RecordName(std::size_t index) { return "task record " + std::to_string(index); }

std::size_t FieldOffset(std::size_t index, std::size_t field)
{
    return save_layout::slot::kTasks + index * task_record::kSize + field;
}

// The kind's request rebuilt from the record and the task made from it; null when the record names
// no task the game knows or the request is refused.
GAME_CTaskBase* CreateTaskFromSaveRecord(std::span<const std::uint8_t> record, std::size_t index)
{
    const std::optional<GAME_CTaskRequest> request = MakeRequestFromSaveRecord(record);
    if (!request) {
        if (record[task_record::kKind] != kTaskItemCarrier) {
            LogBadWorkingSlotField(RecordName(index), FieldOffset(index, task_record::kId),
                                   "the unknown task " + DescribeId(platform::ReadU32(record, task_record::kId)) +
                                       "; it is dropped");
        }
        return nullptr;
    }
    return GAME_CTaskBase::CreateFromRequest(*request);
}

}  // namespace

void GAME_CTaskManager::WriteSaveRecords(std::span<std::uint8_t> slot) const
{
    InitTaskSaveArea(slot);
    const std::span<std::uint8_t> area = TaskArea(slot);
    std::vector<std::pair<const GAME_CTaskBase*, std::size_t>> written;
    const std::size_t considered = std::min(tasks.size(), kMaxTasks);
    for (std::size_t i = 0; i < considered; ++i) {
        const GAME_CTaskBase* task = tasks[i];
        if (task == nullptr || task->IsFinished()) continue;
        const std::size_t record = written.size();
        task->SaveRecord(area, record);
        if (task->repeat != 0) SetRepeatBit(area, record);
        written.emplace_back(task, record);
    }
    // A doctor names its patient task by the record that task was written to, so that the link
    // holds whatever the list held between them.
    for (const auto& [task, record] : written) {
        const auto* doctor = dynamic_cast<const GAME_CTaskDoctor*>(task);
        if (doctor == nullptr) continue;
        const auto linked = std::find_if(written.begin(), written.end(),
                                         [&](const auto& entry) { return entry.first == doctor->GetLinkedTask(); });
        const std::uint32_t link = linked != written.end() ? static_cast<std::uint32_t>(linked->second) : kNoId;
        platform::WriteU32(area, record * task_record::kSize + task_record::kKindWord, link);
    }
}

void GAME_CTaskManager::ForgetAllTasks()
{
    ForgetCrewLinks();
    for (GAME_CTaskBase* task : tasks) {
        if (task == nullptr) continue;
        if (GAME_CRoomBase* room = task->GetRoom()) room->DetachTask(task);
    }
    for (GAME_CTaskBase* task : tasks) delete task;
    tasks.clear();
    NoteListChanged();
}

void GAME_CTaskManager::RestoreFromSave(std::span<const std::uint8_t> slot)
{
    // The tasks of the world that was there go without leaving anything behind: the slot brings
    // its own crew and items.
    ForgetAllTasks();
    tasks.reserve(kMaxTasks);
    const std::span<const std::uint8_t> area = TaskArea(slot);
    std::vector<std::pair<GAME_CTaskBase*, std::size_t>> restored;
    for (std::size_t r = 0; r < static_cast<std::size_t>(kTaskRecordCount); ++r) {
        const std::span<const std::uint8_t> record = area.subspan(r * task_record::kSize, task_record::kSize);
        const std::uint8_t kind = record[task_record::kKind];
        if (kind == task_record::kNone) break;
        if (!HasTaskClass(kind)) {
            LogBadWorkingSlotField(RecordName(r), FieldOffset(r, task_record::kKind),
                                   "kind " + std::to_string(kind) + " is no task's; it is dropped");
            continue;
        }
        if (GAME_CTaskBase* task = CreateTaskFromSaveRecord(record, r)) restored.emplace_back(task, r);
    }
    for (const auto& [task, record] : restored) {
        task->LoadRecord(area, record);
        task->repeat = GetRepeatBit(area, record) ? 1 : 0;
        if (!task->IsFinished() && task->IsRoomTask() && task->GetRoom() == nullptr) {
            LogBadWorkingSlotField(RecordName(record), FieldOffset(record, task_record::kRoom),
                                   "room " + std::to_string(task->GetRoomIndex()) +
                                       " is not on the ship; the task is dropped");
            task->Finish();
        }
    }
    for (const auto& [task, record] : restored) {
        auto* doctor = dynamic_cast<GAME_CTaskDoctor*>(task);
        if (doctor == nullptr) continue;
        const auto linked = std::find_if(restored.begin(), restored.end(), [&](const auto& entry) {
            return entry.second == doctor->GetSavedLinkIndex() && entry.first->GetKind() == kTaskPatient;
        });
        if (linked != restored.end()) {
            doctor->SetLinkedTask(linked->first);
        } else if (!doctor->IsFinished()) {
            LogBadWorkingSlotField(RecordName(record), FieldOffset(record, task_record::kKindWord),
                                   "a doctor whose patient task is not saved; it is dropped");
            doctor->Finish();
        }
    }
    const GAME_CShip* ship = ship_world::Ship();
    const std::int32_t roomCount = ship != nullptr ? ship->CountRoomsOnGrid() : 0;
    for (std::int32_t number = 0; number < roomCount; ++number) {
        const GAME_CRoomBase* room = ship->GetRoom(number);
        if (room == nullptr || !room->underConstruction) continue;
        const bool building = std::any_of(room->boundTasks.begin(), room->boundTasks.end(), [](const GAME_CTaskBase* task) {
            return task != nullptr && task->GetKind() == kTaskRoomBuild;
        });
        if (!building) GAME_CTaskBase::CreateFromRequest(MakeRoomBuildRequest(number));
    }
    std::vector<std::int32_t> kitchens;
    for (const GAME_CTaskBase* task : tasks) {
        if (task != nullptr && task->IsFinished() && task->GetKind() == kTaskCooking) kitchens.push_back(task->GetRoomIndex());
    }
    for (const std::int32_t room : kitchens) GAME_CTaskBase::CreateFromRequest(MakeCookingRequest(room));
}
