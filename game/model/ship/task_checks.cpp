// The checks before a task is made: the factory's check of a request and the add-task screen's check of an order.
#include <algorithm>

#include "game/services/data/static_lookups.h"
#include "game/services/data/tag.h"
#include "game/model/object/object_item.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/ship_world.h"
#include "game/model/ship/task_crew.h"
#include "game/model/ship/task_manager.h"

namespace {

constexpr std::uint32_t kUpgradeBitMask = 0x7FF;  // bits 0 to 10
constexpr std::uint32_t kUnsetTreatment = 0xFFFFFFFEu;

bool HasBoundTaskOfKind(const GAME_CRoomBase& room, std::int32_t kind, bool unfinishedOnly)
{
    return std::any_of(room.boundTasks.begin(), room.boundTasks.end(), [&](const GAME_CTaskBase* task) {
        return task != nullptr && task->GetKind() == kind && !(unfinishedOnly && task->IsFinished());
    });
}

// The storage room an item on that cell would be carried to: one already holding it first.
const GAME_CRoomBase* FindCarryDestination(const GAME_CShip& ship, std::int32_t x, std::int32_t y, std::uint32_t itemId)
{
    if (const GAME_CRoomBase* room = ship.FindNearestRoom(x, y, RoomHoldsAndCanTakeItem, itemId)) return room;
    return ship.FindNearestRoom(x, y, RoomCanTakeItem, itemId);
}

bool CanCreateItemCarrier(const GAME_CTaskManager& tasks, const GAME_CTaskRequest& request)
{
    const GAME_CShip* ship = ship_world::Ship();
    if (ship == nullptr || request.item == nullptr) return false;
    const auto x = static_cast<std::int32_t>(request.Word(20) & 0xFFFF);
    const auto y = static_cast<std::int32_t>(request.Word(20) >> 16);
    const GAME_CRoomBase* room = FindCarryDestination(*ship, x, y, request.item->itemId);
    if (room == nullptr || room->underConstruction || !ship->IsRoomReachable(x, y, *room)) return false;
    const bool targeted = std::any_of(tasks.tasks.begin(), tasks.tasks.end(), [&](const GAME_CTaskBase* task) {
        return task != nullptr && !task->IsFinished() && task->GetKind() == kTaskItemCarrier &&
               task->GetTargetIndex().item == request.item;
    });
    return !targeted && tasks.AreDriveAndAttackTasksManned();
}

// An order that names its member (the infirmary's or the mind-control room's): the world ran on
// while the player was asked, so the member may have begun to die or been taken by the same
// treatment elsewhere. A restored task brings its crew from the save instead.
bool CanTreatNamedMember(const GAME_CTaskRequest& request)
{
    if (request.restored != 0 || request.actor == nullptr) return true;
    const GAME_CShip* ship = ship_world::Ship();
    const GAME_CRoomBase* room = ship != nullptr ? ship->GetRoom(request.roomIndex) : nullptr;
    std::uint32_t treatment = 0;
    if (request.kind == kTaskPatient) {
        const std::uint32_t word = request.Word(24);
        const TaskData* cure = word == 0 ? nullptr : FindTreatmentData(word);
        treatment = word == 0 ? MakeTag("THHP") : (cure != nullptr ? cure->id : kNoId);
    }
    return CanTargetActorInRoom(request.kind, treatment, room, request.actor);
}

}  // namespace

bool GAME_CTaskManager::CanCreateTask(const GAME_CTaskRequest& request) const
{
    const std::int32_t kind = request.kind;
    if (kind == kTaskItemCarrier) return CanCreateItemCarrier(*this, request);
    if (kind == kTaskPatient || kind == kTaskMindControl) return CanTreatNamedMember(request);
    if (kind != kTaskRouteScan && kind != kTaskEngineMaintenance && kind != kTaskBridgeDriver) return true;
    const GAME_CShip* ship = ship_world::Ship();
    const GAME_CRoomBase* room = ship != nullptr ? ship->GetRoom(request.roomIndex) : nullptr;
    if (room == nullptr) return false;
    if (kind == kTaskRouteScan) return !HasBoundTaskOfKind(*room, kTaskRouteScan, false);
    if (kind == kTaskEngineMaintenance) return !HasBoundTaskOfKind(*room, kTaskEngineMaintenance, true);
    // Drivers are not bound to their room: the list tells whether the bridge has one.
    return std::none_of(tasks.begin(), tasks.end(), [&](const GAME_CTaskBase* task) {
        return task != nullptr && !task->IsFinished() && task->GetKind() == kTaskBridgeDriver &&
               task->GetRoomIndex() == request.roomIndex;
    });
}

bool CheckTaskRequest(const TaskData& record, const GAME_CRoomBase* room, std::uint32_t* outCode)
{
    std::uint32_t unused = 0;
    std::uint32_t& code = outCode != nullptr ? *outCode : unused;
    code = kTaskRequestFatal;
    const GAME_CTaskManager* tasks = ship_world::Tasks();
    const std::size_t listed = tasks != nullptr ? tasks->tasks.size() : 0;
    if (listed >= kMaxTasks || (room != nullptr && room->boundTasks.size() >= kMaxRoomTasks)) {
        code = kTaskRequestTooMany;
        return false;
    }
    const std::uint32_t installed = room != nullptr ? room->installedUpgrades : 0;
    if (record.kind == kTaskRoomUpgrade && room != nullptr) {
        const std::uint32_t bit = record.productItem;
        if (bit < 32 && (installed & (1u << bit)) != 0) {
            code = kTaskRequestAlready;
            return false;
        }
        for (const GAME_CTaskBase* task : room->boundTasks) {
            if (task == nullptr || task->GetKind() != kTaskRoomUpgrade) continue;
            const TaskData* other = task->GetTaskData();
            if (task->id == record.id || (other != nullptr && other->productItem == bit)) {
                code = kTaskRequestOnlyOne;
                return false;
            }
        }
    }
    bool refused = false;
    if (record.kind == kTaskPatient && record.treatedDebuff != kNoId && record.treatedDebuff != kUnsetTreatment &&
        room != nullptr) {
        for (const GAME_CTaskBase* task : room->boundTasks) {
            if (task != nullptr && task->GetKind() == kTaskPatient && task->GetTaskData() == &record) {
                code = kTaskRequestOnlyOne;
                refused = true;
                break;
            }
        }
    }
    if (!HasRequiredUpgrades(record, room)) {
        code = kTaskRequestNeedsUpgrade;
        return false;
    }
    if (refused) return false;
    code = kTaskRequestAllowed;
    return true;
}

bool HasRequiredUpgrades(const TaskData& record, const GAME_CRoomBase* room)
{
    const std::uint32_t required = record.requiredUpgradeBits & kUpgradeBitMask;
    const std::uint32_t installed = room != nullptr ? room->installedUpgrades : 0;
    return (required & ~installed) == 0;
}

bool CanTargetActorInRoom(std::int32_t kind, std::uint32_t taskId, const GAME_CRoomBase* room,
                          const GAME_CObjectActor* actor)
{
    if (room == nullptr || (kind != kTaskMindControl && kind != kTaskPatient)) return false;
    // A member playing its death is beyond any treatment.
    if (actor == nullptr || !task_crew::IsAliveInField(*actor)) return false;
    const TaskData* record = nullptr;
    const bool heal = kind == kTaskPatient && taskId == MakeTag("THHP");
    if (kind == kTaskPatient && !heal) {
        record = FindTaskData(taskId);
        if (record == nullptr) return false;
    }
    // Every room's tasks count, not this room's alone: a member walks to one room at a time, and two
    // orders of the same treatment would pull it back and forth between theirs.
    const GAME_CTaskManager* tasks = ship_world::Tasks();
    const std::vector<GAME_CTaskBase*>& listed = tasks != nullptr ? tasks->tasks : room->boundTasks;
    return std::none_of(listed.begin(), listed.end(), [&](const GAME_CTaskBase* task) {
        if (task == nullptr || task->IsFinished() || task->GetKind() != kind || task->GetTargetIndex().actor != actor) {
            return false;
        }
        if (kind == kTaskMindControl) return true;
        return heal ? task->id == taskId : task->GetTaskData() == record;
    });
}
