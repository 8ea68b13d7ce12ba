// A crew task: its kind, room, crew, progress and flags, and the request every task is made from.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/memory/heaps.h"
#include "game/core/data/record_entries.h"
#include "game/core/data/task_records.h"

class GAME_CObjectActor;
class GAME_CRoomBase;


// The record a screen, a room or a task fills to ask the factory for a task.
struct GAME_CTaskRequest {
    std::uint32_t taskId = kNoId;
    std::int32_t kind = -1;
    std::uint32_t size = 20;
    std::uint32_t restored = 0;
    std::int32_t roomIndex = -1;  // or the owner, by kind
    std::uint32_t words[4] = {0, 0, 0, 0};
    const void* target = nullptr;  // the object a carry task is about
};

class GAME_CObjectItem;

// The carry request of an item lying on the grid: "TICR", kind 6, the item and its cell.
GAME_CTaskRequest MakeItemCarrierRequest(GAME_CObjectItem* item, std::int32_t column, std::int32_t row);

// Until the task kinds exist a request makes a plain task record bound to its room: nobody works
// on it and it never progresses by itself.
class GAME_CTaskBase : public vesk::memory::MainHeapObject {
public:
    explicit GAME_CTaskBase(const GAME_CTaskRequest& request);
    virtual ~GAME_CTaskBase() = default;
    GAME_CTaskBase(const GAME_CTaskBase&) = delete;
    GAME_CTaskBase& operator=(const GAME_CTaskBase&) = delete;

    // Null when the factory has no entry for the kind or the list refuses it; else the new task,
    // added to the world's list.
    static GAME_CTaskBase* CreateFromRequest(const GAME_CTaskRequest& request);

    std::int32_t GetKind() const { return kind_; }
    std::int32_t GetRoomIndex() const { return roomIndex_; }
    void SetRoomIndex(std::int32_t index) { roomIndex_ = index; }
    // Room-bound kinds bind to their room's task list.
    bool IsRoomTask() const;
    // The room at the task's room index in the world's ship; null when there is none.
    GAME_CRoomBase* GetRoom() const;
    // Sets the finished flag; a room-bound task leaves its room.
    void Finish();
    bool IsFinished() const { return finished != 0; }
    // The object the task is about: the item of a carry task, the load of a carry-from-store or
    // reload task (an item entry), the patient; null when none.
    const void* GetTargetObject() const { return target_; }
    // Takes the crew member off the task: out of the working crew, its task none.
    void RemoveCrew(GAME_CObjectActor* member);

    std::uint32_t id = kNoId;
    std::vector<GAME_CObjectActor*> crew;
    std::vector<std::uint32_t> materials;
    std::int32_t progress = 0;
    std::int32_t duration = 0;
    std::uint32_t finished = 0;
    std::uint32_t cancel = 0;
    std::uint32_t repeat = 0;
    std::uint32_t upgradeType = 0xFFFFFFFF;  // the upgrade a room-upgrade task installs

private:
    std::int32_t kind_;
    std::int32_t roomIndex_;
    const void* target_;
};
