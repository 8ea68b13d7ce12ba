// The crew task base: what every task holds, its virtual operations, the shared tick and the 44-byte save record.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "framework/memory/heaps.h"
#include "game/services/data/record_entries.h"
#include "game/services/data/task_records.h"
#include "game/model/ship/task_request.h"

class GAME_CItemDataImpl;
class GAME_CObjectActor;
class GAME_CObjectItem;
class GAME_CRoomBase;
struct CookingRecipe;

// The secondary target of the kinds that have one.
struct TaskTarget {
    GAME_CObjectItem* item = nullptr;     // item carrier: the item object to carry
    GAME_CObjectActor* actor = nullptr;   // patient or mind-control subject
    GAME_CItemDataImpl* load = nullptr;   // carry and reload tasks: the units taken so far
    const CookingRecipe* recipe = nullptr;  // cooking: the dish being cooked
};

// The save record of one task, 44 bytes at record index x 44 of the task area.
namespace task_record {
inline constexpr std::size_t kSize = 44;
inline constexpr std::size_t kId = 0;
inline constexpr std::size_t kKindWord = 4;
inline constexpr std::size_t kMaterialIds = 8;      // 5 x u32
inline constexpr std::size_t kMaterialCounts = 28;  // 5 x u8
inline constexpr std::size_t kCrew = 33;            // 5 x u8, 255 none
inline constexpr std::size_t kProgress = 38;        // i16
inline constexpr std::size_t kKind = 40;            // u8, 255 ends the used records
inline constexpr std::size_t kRoom = 41;            // u8, 247 or more none
inline constexpr std::size_t kSlots = 5;
inline constexpr std::uint8_t kNone = 255;
}  // namespace task_record

// The base of the 18 task classes. A task is made from a request by the factory, listed in the
// world's task list, ticked once a step until it is finished, and deleted by the list. Crew members
// and delivered materials are referred to, never owned.
class GAME_CTaskBase : public vesk::memory::MainHeapObject {
public:
    static constexpr std::uint32_t kNoSound = 63;
    static constexpr std::int32_t kNoRoomIndex = 247;

    explicit GAME_CTaskBase(const GAME_CTaskRequest& request);
    virtual ~GAME_CTaskBase();
    GAME_CTaskBase(const GAME_CTaskBase&) = delete;
    GAME_CTaskBase& operator=(const GAME_CTaskBase&) = delete;

    // The factory: null when the kind has no class or the list refuses the request; else the new
    // task, added to the world's task list (and bound to its room).
    static GAME_CTaskBase* CreateFromRequest(const GAME_CTaskRequest& request);

    // --- the virtual operations every kind answers
    virtual std::int32_t GetKind() const = 0;
    virtual std::int32_t GetRoomIndex() const { return roomIndex; }
    virtual std::int32_t SetRoomIndex(std::int32_t index);
    virtual std::int32_t GetCrewLimit() const { return crewLimit; }
    // The duration in frames: the progress at which the task completes.
    virtual std::int32_t GetTaskValue() const { return duration; }
    virtual bool IsRoomTask() const { return true; }
    // False for the kinds that never have a room (an item carried to storage, a meal on the grid).
    virtual bool HasRoom() const { return true; }
    virtual TaskTarget GetTargetIndex() const { return {}; }
    virtual std::int32_t GetExtraValue1() const { return 0; }
    virtual std::int32_t GetExtraValue2() const { return 0; }
    // The item a task has claimed from the stores, and how many units.
    virtual std::uint32_t GetReservedItemId() const { return kNoId; }
    virtual std::int32_t GetReservedItemCount() const { return 0; }
    // Hands the task its load of taken units (carry and reload tasks); others drop it.
    virtual void SetTargetIndex(std::unique_ptr<GAME_CItemDataImpl> load);
    virtual GAME_CTaskBase* GetParentTask() const { return nullptr; }
    // Called when the task repeats in place.
    virtual void ResetTimers() {}
    virtual const TaskData* GetTaskData() const;
    // Whether the task may progress in this step (crew limit, duration).
    virtual bool CanProgress(std::int32_t crewLimit, std::int32_t duration);
    // Whether what completion puts on the floor finds room there; a task that has reached its
    // duration waits at full progress until it does.
    virtual bool HasRoomForResults() const { return true; }
    // The period in frames of the partial meter changes; at least 1.
    virtual std::int32_t GetRewardInterval() const { return 60; }
    virtual void Update() = 0;
    // The 44-byte record of the task at the index; the common part, then the kind's own words.
    virtual void SaveRecord(std::span<std::uint8_t> area, std::size_t index) const;
    // Progress, room, materials and crew back from the record; the crew take the task again.
    virtual void LoadRecord(std::span<const std::uint8_t> area, std::size_t index);
    // The list is about to delete the task: what the kind leaves behind (units it holds).
    virtual void OnRemoved() {}
    // Another task is about to be deleted: a task linked to it lets go of the link.
    virtual void OnLinkedTaskRemoved(const GAME_CTaskBase* /*removed*/) {}
    // A crew member has left the ship for good: a task that names it lets go of it.
    virtual void OnCrewMemberGone(const GAME_CObjectActor* /*member*/) {}

    // --- crew and materials
    // Gives the crew member this task and lists it once.
    void AddCrew(GAME_CObjectActor* actor);
    // Unlists every occurrence and clears the crew member's task.
    void RemoveCrew(GAME_CObjectActor* actor);
    std::int32_t CountMaterial(std::uint32_t itemId) const;
    // Removes up to n delivered units of the item; the units of it still delivered.
    std::int32_t RemoveMaterial(std::uint32_t itemId, std::int32_t n);

    // Sets the finished flag; a room-bound task leaves its room.
    void Finish();
    bool IsFinished() const { return finished != 0; }
    // The room at the task's room index in the world's ship; null when there is none.
    GAME_CRoomBase* GetRoom() const;
    // The leading crew member (the first one), or null.
    GAME_CObjectActor* LeadingCrew() const { return crew.empty() ? nullptr : crew.front(); }

    // --- the shared step (task_tick.cpp)
    void Tick();

    // The delivered materials' save pairs: distinct ids in first-delivered order with their counts.
    std::vector<ItemCount> CollectMaterialPairs() const;

    std::uint32_t id = kNoId;
    std::vector<GAME_CObjectActor*> crew;
    std::vector<std::uint32_t> materials;  // one entry per delivered unit
    std::uint32_t startSound = kNoSound;
    std::uint32_t completionSound = kNoSound;
    std::int32_t progress = 0;
    std::int32_t progressFraction = 0;  // thousandths of a frame carried between steps
    std::uint32_t finished = 0;
    // Set when what the task works on has gone (an item released from the field): the task ends
    // at its next step.
    std::uint32_t cancel = 0;
    std::uint32_t repeat = 0;
    float startVolume = 1.0f;
    float completionVolume = 1.0f;

protected:
    // The materials the task must have delivered before it works; empty for kinds without.
    virtual std::span<const ItemCount> GetRequiredMaterials() const { return {}; }
    // The delivered materials as the save record's five slots keep them.
    virtual std::vector<ItemCount> SavedMaterialPairs() const { return CollectMaterialPairs(); }
    // What completion does for the kind; it always lets completion go on.
    virtual void ApplyCompletionEffect() {}
    // Repeats the task if its repeat flag is set. True when it stays and runs another round in
    // place; false when it ends (a kind that repeats by a new task posts it first).
    virtual bool RepeatTask();
    // The progress rule of carry tasks, run each working step in place of the room's work label.
    virtual void UpdateCarryProgress(std::int32_t /*crewLimit*/, std::int32_t /*duration*/) {}

    // The start of every repeat: false without the repeat flag; progress back to 0; false for a
    // task whose room index names no room.
    bool IsRepeatDue();
    // Takes the sounds of the kind, or those of the record (when below 63), clamped to 63.
    void TakeSounds(const TaskData* record);
    // Posts one carry request per short material pair, less what child carry tasks already
    // cover; other children are finished. Used by the kinds that collect materials.
    void TopUpMaterials(std::span<const ItemCount> pairs);
    // One carry request per pair (at most `limit`, ending at an unused pair).
    void PostCarryRequests(std::span<const ItemCount> pairs, std::size_t limit);
    // Posts a new task for a repeat; it inherits the repeat flag. True when one was made.
    bool PostRepeat(const GAME_CTaskRequest& request);
    // Drops every working crew member from this task, from the last one: the room of its
    // current task lets it go, its task and AI target are cleared; with `thinkNow` it chooses
    // anew at once.
    void ReleaseAllCrew(bool thinkNow);
    // One crew member as ReleaseAllCrew lets it go; the caller takes it off the crew list.
    void ReleaseCrewMember(GAME_CObjectActor* actor, bool thinkNow);
    // Moves the room back to its stopped label.
    void StopRoom(GAME_CRoomBase* room) const;
    std::int32_t RoomCount() const;

    std::int32_t roomIndex = -1;
    std::int32_t crewLimit = 1;
    std::int32_t duration = 0;

private:
    // --- the steps of the tick (task_tick.cpp)
    bool PassesRoomCheck(GAME_CRoomBase* room, std::int32_t kind);
    bool CheckMaterials(GAME_CRoomBase* room, std::int32_t kind);
    bool CheckCrewPresence(GAME_CRoomBase* room, std::int32_t kind, std::int32_t crewLimit);
    // Delivered units beyond the required ones that found no room on the floor yet: completion,
    // which uses up every delivered unit, waits for them.
    bool HasSurplusMaterials() const;
    std::int32_t AdvanceProgress(GAME_CRoomBase* room, std::int32_t kind);
    void OnFirstProgress(std::int32_t kind);
    void AnimateRoom(GAME_CRoomBase* room, std::int32_t kind, std::int32_t crewLimit, std::int32_t duration);
    void Complete(GAME_CRoomBase* room, std::int32_t kind, std::int32_t parts);
    void ApplyWorkCost(const TaskData* record, const GAME_CRoomBase* room, std::int32_t parts, bool final);
    void ApplyTaskDataResults(const TaskData& record, GAME_CRoomBase* room);
    void HandOverCrew(GAME_CRoomBase* room);
};

// True when the record names anything to produce or apply at completion.
bool HasCompletionResults(const TaskData& record);
// Non-null slots of a five-slot array.
std::int32_t CountFilledSlots(std::span<GAME_CTaskBase* const> slots);
// Counts a task's timer down one step; true, with the timer started again at `period`, when it
// has run out.
bool IsPeriodOver(std::int32_t& timer, std::int32_t period);
