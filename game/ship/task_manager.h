// The world's task list: every running crew task, ticked once per simulation step.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "framework/memory/heaps.h"
#include "game/ship/task_base.h"

class GAME_CRoomBase;

inline constexpr std::size_t kMaxTasks = 1235;
inline constexpr std::size_t kMaxRoomTasks = 5;

// Until the task kinds exist no task is ticked or saved: the list holds the plain task records of
// the requests, bound to their rooms.
class GAME_CTaskManager : public vesk::memory::MainHeapObject {
public:
    GAME_CTaskManager() { tasks.reserve(kMaxTasks); }
    ~GAME_CTaskManager();
    GAME_CTaskManager(const GAME_CTaskManager&) = delete;
    GAME_CTaskManager& operator=(const GAME_CTaskManager&) = delete;

    void Update();
    void Clear();
    void WriteSaveRecords(std::span<std::uint8_t> slot) const;
    void RestoreFromSave(std::span<const std::uint8_t>) { Clear(); }

    // Kinds 13, 14 and 15 need their room and no task of their kind bound there; the others pass.
    bool CanCreateTask(const GAME_CTaskRequest& request) const;
    // Binds a room-bound task to its room and appends it; a listed task is left as it is.
    std::size_t AddTask(GAME_CTaskBase* task);
    // With a room: its tasks finish and go. Without one (the whole ship changes): every task goes.
    void RemoveRoomTasks(GAME_CRoomBase* room);
    // Every task whose room index is above the removed one moves down by one.
    void ShiftRoomIndices(std::int32_t removedIndex);
    // The room's bound tasks in bound order, the rest of the five slots null.
    std::array<GAME_CTaskBase*, kMaxRoomTasks> GetRoomTasks(const GAME_CRoomBase& room) const;

    std::vector<GAME_CTaskBase*> tasks;

private:
    void DeleteFinished();
};

// The cooking request of a room: "TCKG", kind 7.
GAME_CTaskRequest MakeCookingRequest(std::int32_t roomIndex);
