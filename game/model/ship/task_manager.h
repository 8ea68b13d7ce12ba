// The world's task list: every running crew task, ticked once per simulation step, with its checks, queries and save area.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "framework/memory/heaps.h"
#include "game/model/ship/task_base.h"

class GAME_CObjectActor;
class GAME_CRoomBase;

inline constexpr std::size_t kMaxTasks = 1235;
inline constexpr std::size_t kMaxRoomTasks = 5;

// Result codes of the check before a task is ordered.
enum TaskRequestCode : std::uint32_t {
    kTaskRequestAllowed = 0,
    kTaskRequestFatal = 0x80000000,
    kTaskRequestTooMany = 0x80000001,
    kTaskRequestAlready = 0x80000002,
    kTaskRequestOnlyOne = 0x80000003,
    kTaskRequestNeedsUpgrade = 0x80000004,
};

// Owns its tasks. A finished task stays listed until the next pass, which releases its crew,
// removes and deletes it.
class GAME_CTaskManager : public vesk::memory::MainHeapObject {
public:
    GAME_CTaskManager() { tasks.reserve(kMaxTasks); }
    ~GAME_CTaskManager();
    GAME_CTaskManager(const GAME_CTaskManager&) = delete;
    GAME_CTaskManager& operator=(const GAME_CTaskManager&) = delete;

    // One simulation step of every task; nothing while the route holds the game.
    void Update();
    // Every task goes, with its removal; for the world's making and ending.
    void Clear();

    // --- creation
    // Kinds 6, 13, 14 and 15 are checked against the rooms, the grid and the tasks already there,
    // and an order of kind 12 or 17 naming its member with CanTargetActorInRoom; the others pass.
    bool CanCreateTask(const GAME_CTaskRequest& request) const;
    // Binds a room-bound task to its room and appends it; a listed task is left as it is. The list size.
    std::size_t AddTask(GAME_CTaskBase* task);

    // --- removal
    // Before a task is deleted: its children finish, its crew is released and its delivered
    // materials go back on the floor.
    void RemoveTask(GAME_CTaskBase* task);
    // Every finished task removed and deleted, pass after pass until none is left.
    void PurgeFinishedTasks();
    // With a room: its tasks finish and go. Without one (the whole ship changes): every task goes.
    void RemoveRoomTasks(GAME_CRoomBase* room);
    // Every task whose room index is above the removed one moves down by one.
    void ShiftRoomIndices(std::int32_t removedIndex);
    void FinishTasksOfKind(std::int32_t kind);
    // A crew member leaves the ship for good: no task lists it or names it any more, so that its
    // pooled object, handed to the next newcomer, inherits none of its work.
    void ForgetCrewMember(GAME_CObjectActor* member);

    // --- queries
    // The room's bound tasks in bound order, the rest of the five slots null.
    std::array<GAME_CTaskBase*, kMaxRoomTasks> GetRoomTasks(const GAME_CRoomBase& room) const;
    void FinishReloadTasksOfRoom(std::int32_t roomIndex);
    std::int32_t CountReloadTasksOfRoom(std::int32_t roomIndex) const;
    void GetReloadTasksOfRoom(std::int32_t roomIndex, std::vector<GAME_CTaskBase*>& out) const;
    void GetTasksOfKind(std::int32_t kind, std::vector<GAME_CTaskBase*>& out) const;
    bool HasBridgeDriverTask() const;
    // Units of the item that unfinished tasks have claimed from the stores.
    std::int64_t CountReservedItem(std::uint32_t itemId) const;
    // The crew member leads an unfinished meal: it takes that meal again.
    bool RebindMealTask(GAME_CObjectActor* actor) const;
    void GetChildTasks(const GAME_CTaskBase* parent, std::vector<GAME_CTaskBase*>& out) const;
    // The task that follows in the room: the next unfinished bound task; for an attack, the next
    // task of the list in the same room without a parent.
    GAME_CTaskBase* FindNextRoomTask(const GAME_CTaskBase& task) const;
    // Without a room: whether any task exists. With one: whether its first working task has started.
    bool IsRoomWorking(const GAME_CRoomBase* room) const;
    bool IsRoomUpgradeRunning(const GAME_CRoomBase* room) const;
    // Whether the task is reached in its room's bound list before any task that blocks the ones
    // behind it (meals, breaks, carries and patients never block). room is the task's room, which
    // the task's step has found already.
    bool IsActiveInRoom(const GAME_CTaskBase& task, const GAME_CRoomBase* room) const;
    // An attack is active when no room upgrade is bound before it.
    bool IsAttackActiveInRoom(const GAME_CTaskBase& task) const;
    // False while a bridge driver, or an attack active in its room, has no crew.
    bool AreDriveAndAttackTasksManned() const;

    // --- the task area of a save slot
    void WriteSaveRecords(std::span<std::uint8_t> slot) const;
    // Every task deleted without leaving anything behind (no materials dropped, no crew thinking
    // anew), as the world that was there goes when a slot is loaded.
    void ForgetAllTasks();
    // Every task anew from the slot's records; bad records are dropped with a log line.
    void RestoreFromSave(std::span<const std::uint8_t> slot);

    // Changed only through the manager's functions, which keep the kind index below up to date.
    std::vector<GAME_CTaskBase*> tasks;

private:
    // A store carry and the parent it was made for (a carry's parent is fixed when it is made, or
    // cleared).
    struct CarryOfParent {
        const GAME_CTaskBase* parent;
        GAME_CTaskBase* carry;
    };
    // The tasks that every crew member's step asks after, kept aside in list order so that the
    // step need not walk the whole list per member: the drive and attack tasks, and the store
    // carries (the only tasks with a parent) with their parents, so that a task's carries are
    // picked out without asking every other task's carry.
    struct KindIndex {
        std::vector<GAME_CTaskBase*> driveAndAttack;
        std::vector<CarryOfParent> storeCarries;
    };
    // Every change of the list calls this; the index is rebuilt on the next query. A list whose
    // length moved behind the manager's back (a test pushing a task of its own) is rebuilt too.
    void NoteListChanged() { indexStale_ = true; }
    const KindIndex& Index() const;

    mutable KindIndex index_;
    mutable bool indexStale_ = true;
    mutable std::size_t indexedSize_ = 0;

    // Crew members working a listed task let go of it, so that none keeps a task that is deleted.
    void ForgetCrewLinks() const;
    // Drops the task's delivered materials near its room (or the bottom row's first column).
    void DropDeliveredMaterials(GAME_CTaskBase& task) const;
};

// The check of the add-task screen before it orders the work of the record in the room; the code
// (when asked) says why it was refused.
bool CheckTaskRequest(const TaskData& record, const GAME_CRoomBase* room, std::uint32_t* outCode);
// Whether the room has every upgrade the record needs (no room has none).
bool HasRequiredUpgrades(const TaskData& record, const GAME_CRoomBase* room);
// Whether a mind-control (kind 17) or patient (kind 12) order may take that crew member in the
// room: the member is alive and no such task of any room aims at it already.
bool CanTargetActorInRoom(std::int32_t kind, std::uint32_t taskId, const GAME_CRoomBase* room,
                          const GAME_CObjectActor* actor);
