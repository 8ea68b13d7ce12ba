// The world's task list: every running crew task, ticked once per simulation step.
#include "game/ship/task_manager.h"

#include <algorithm>

#include "game/core/data/tag.h"
#include "game/core/save/save_image.h"
#include "game/core/world/game_world_ready.h"
#include "game/ship/room_base.h"

GAME_CTaskManager::~GAME_CTaskManager() { Clear(); }

void GAME_CTaskManager::Update() { DeleteFinished(); }

void GAME_CTaskManager::DeleteFinished()
{
    for (GAME_CTaskBase*& task : tasks) {
        if (task != nullptr && task->IsFinished()) {
            delete task;
            task = nullptr;
        }
    }
    std::erase(tasks, nullptr);
}

void GAME_CTaskManager::Clear()
{
    for (GAME_CTaskBase* task : tasks) delete task;
    tasks.clear();
}

void GAME_CTaskManager::WriteSaveRecords(std::span<std::uint8_t> slot) const { InitTaskSaveArea(slot); }

bool GAME_CTaskManager::CanCreateTask(const GAME_CTaskRequest& request) const
{
    const std::int32_t kind = request.kind;
    if (kind != kTaskRouteScan && kind != kTaskEngineMaintenance && kind != kTaskBridgeDriver) return true;
    for (const GAME_CTaskBase* task : tasks) {
        if (task != nullptr && task->GetKind() == kind && task->GetRoomIndex() == request.roomIndex &&
            !(kind == kTaskEngineMaintenance && task->IsFinished())) {
            return false;
        }
    }
    GAME_CTaskBase probe(request);
    return probe.GetRoom() != nullptr;
}

std::size_t GAME_CTaskManager::AddTask(GAME_CTaskBase* task)
{
    if (std::find(tasks.begin(), tasks.end(), task) != tasks.end()) return tasks.size();
    if (IsGameWorldReady() && task->IsRoomTask()) {
        if (GAME_CRoomBase* room = task->GetRoom()) room->AttachTask(task);
    }
    tasks.push_back(task);
    return tasks.size();
}

void GAME_CTaskManager::RemoveRoomTasks(GAME_CRoomBase* room)
{
    if (room == nullptr) {
        Clear();
        return;
    }
    for (GAME_CTaskBase* task : tasks) {
        if (task != nullptr && task->GetRoom() == room) task->Finish();
    }
    room->RemoveCrew(nullptr);
    DeleteFinished();
}

void GAME_CTaskManager::ShiftRoomIndices(std::int32_t removedIndex)
{
    for (GAME_CTaskBase* task : tasks) {
        if (task != nullptr && task->GetRoomIndex() > removedIndex) task->SetRoomIndex(task->GetRoomIndex() - 1);
    }
}

std::array<GAME_CTaskBase*, kMaxRoomTasks> GAME_CTaskManager::GetRoomTasks(const GAME_CRoomBase& room) const
{
    std::array<GAME_CTaskBase*, kMaxRoomTasks> slots{};
    std::size_t next = 0;
    for (GAME_CTaskBase* task : room.boundTasks) {
        if (next == slots.size()) break;
        slots[next++] = task;
    }
    return slots;
}

GAME_CTaskRequest MakeCookingRequest(std::int32_t roomIndex)
{
    GAME_CTaskRequest request;
    request.taskId = MakeTag("TCKG");
    request.kind = kTaskCooking;
    request.size = 24;
    request.roomIndex = roomIndex;
    return request;
}
