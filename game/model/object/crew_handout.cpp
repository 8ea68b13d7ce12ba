// The hand-out of crew members to tasks: one fit crew member chosen for a task, or every crew member released from it.
#include <algorithm>
#include <limits>

#include "game/services/data/static_lookups.h"
#include "game/model/object/actor_ai_base.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_actor.h"
#include "game/model/object/object_item.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/ship_world.h"
#include "game/model/ship/task_manager.h"

namespace {

// Work that the room's own crew do first, and whose room binds the crew member who may do it.
bool IsRoomCrewKind(std::int32_t kind)
{
    switch (kind) {
    case kTaskItemCraft:
    case kTaskRoomUpgrade:
    case kTaskCooking:
    case kTaskRouteScan:
    case kTaskEngineMaintenance:
    case kTaskRefuel:
        return true;
    default:
        return false;
    }
}

// A crew member whose HP is empty is playing its death: it works no more.
bool IsFitForHandOut(const GAME_CObjectActor& actor)
{
    return !actor.status.IsHPEmpty() && !actor.status.IsStarving() && !actor.status.IsExhausted();
}

// The room number the crew member is bound to in the room's role: its home for a crew home,
// else its workplace.
std::int32_t LinkFor(const GAME_CObjectActor& actor, const GAME_CRoomBase& room)
{
    return room.kind == kRoomKindCrewHome ? actor.homeLink.roomNumber : actor.workLink.roomNumber;
}

GAME_CObjectActor* FirstFree(const std::vector<GAME_CObjectActor*>& list, const GAME_CShip& ship,
                             const GAME_CRoomBase& room, bool mustReach)
{
    for (GAME_CObjectActor* actor : list) {
        if (actor == nullptr || actor->task != nullptr || !IsFitForHandOut(*actor)) continue;
        if (mustReach && !ship.IsRoomReachable(actor->cellX, actor->cellY, room)) continue;
        return actor;
    }
    return nullptr;
}

// A carry that holds nothing yet needs a crew member who can walk to the item: to a store
// holding it or to one lying on the grid.
bool CanFetchForCarry(const GAME_CFieldObjectManager& objects, const GAME_CObjectActor& actor,
                      const GAME_CTaskBase& task)
{
    if (task.GetKind() != kTaskCarrierFromInventory || task.GetTargetIndex().load != nullptr) return true;
    const std::uint32_t itemId = task.GetReservedItemId();
    return GAME_CShip::FindRoomHoldingItem(actor.cellX, actor.cellY, itemId) != nullptr ||
           objects.FindNearestFieldItemById(actor.cellX, actor.cellY, itemId) != nullptr;
}

}  // namespace

bool GAME_CFieldObjectManager::MoveCrewIntoRoom(GAME_CObjectActor* actor, GAME_CRoomBase* room)
{
    const GAME_CShip* ship = ship_world::Ship();
    if (actor == nullptr || room == nullptr || ship == nullptr) return false;
    if (actor->assigned != 0) {
        for (std::int32_t number = 0; number < ship->CountRoomsOnGrid(); ++number) {
            GAME_CRoomBase* other = ship->GetRoom(number);
            if (other != nullptr && other != room) other->RemoveCrew(actor);
        }
    } else if (GAME_CRoomBase* bound = actor->workLink.room) {
        // Bound to a workroom it is not in, the member still holds that room's link, which no room
        // takes it in with: entering here ends the link as leaving the workroom would.
        bound->RemoveCrew(actor);
    }
    return room->TryAddCrew(actor);
}

void GAME_CFieldObjectManager::AssignCrewToTask(GAME_CTaskBase* task, bool releaseFirst, bool relaxed)
{
    GAME_CShip* ship = ship_world::Ship();
    if (task == nullptr || ship == nullptr) return;
    GAME_CRoomBase* room = ship->GetRoom(task->GetRoomIndex());
    if (releaseFirst) {
        for (GAME_CObjectActor* actor : std::vector<GAME_CObjectActor*>(crew)) {
            if (actor == nullptr || actor->task != task) continue;
            if (task->IsRoomTask() && room != nullptr) room->RemoveCrew(actor);
            actor->SetTask(nullptr, false);
            if (actor->ai != nullptr) {
                actor->ai->thinkCountdown = 0;
                actor->ai->Think();
            }
            actor->assigned = 0;
            if (room != nullptr) room->RemoveCrew(actor);
        }
        for (GAME_CObjectActor* actor : std::vector<GAME_CObjectActor*>(task->crew)) {
            if (actor != nullptr && actor->task == task) actor->SetTask(nullptr, false);
        }
        task->crew.clear();
        return;
    }

    const std::int32_t kind = task->GetKind();
    if (kind != kTaskItemCarrier && room == nullptr) {
        task->Finish();
        return;
    }
    if (room != nullptr && (IsRoomCrewKind(kind) || task->IsRoomTask())) {
        GAME_CObjectActor* chosen = nullptr;
        if (room->capacity <= room->CountCrew()) {
            // A full room never takes crew from outside.
            chosen = FirstFree(room->presentCrew, *ship, *room, true);
            if (chosen == nullptr) chosen = FirstFree(room->assignedCrew, *ship, *room, false);
            if (chosen == nullptr) return;
        } else {
            chosen = FirstFree(room->presentCrew, *ship, *room, true);
        }
        if (chosen != nullptr) {
            ship->ReleaseDamageClaims(chosen);
            chosen->SetTask(task, true);
            task->AddCrew(chosen);
            return;
        }
    } else if (kind == kTaskItemCarrier || kind == kTaskCarrierFromInventory) {
        const GAME_CTaskManager* tasks = ship_world::Tasks();
        if (tasks != nullptr && !tasks->AreDriveAndAttackTasksManned()) return;
    }

    const TaskData* record = FindTaskData(task->id);
    const bool upkeep = record != nullptr && IsUpkeepTaskKind(*record);
    const GAME_CObjectItem* item = kind == kTaskItemCarrier ? task->GetTargetIndex().item : nullptr;
    const std::int32_t roomIndex = task->GetRoomIndex();
    GAME_CObjectActor* best = nullptr;
    std::int32_t bestCost = std::numeric_limits<std::int32_t>::max();
    for (GAME_CObjectActor* actor : crew) {
        if (actor == nullptr || actor->task != nullptr || !actor->IsActive()) continue;
        if (IsRoomCrewKind(kind) && room != nullptr) {
            const std::int32_t link = LinkFor(*actor, *room);
            if (link != -1 && link != roomIndex) continue;
        }
        if (!IsFitForHandOut(*actor) || actor->carriedItem != nullptr || actor->moved != 0) continue;
        if (std::find(task->crew.begin(), task->crew.end(), actor) != task->crew.end()) continue;
        if (!relaxed && room != nullptr) {
            const std::int32_t link = LinkFor(*actor, *room);
            if (link != -1 && link != roomIndex) continue;
        }
        if (upkeep) {
            // The most tired (or hungriest) fit crew member gets the rest (or the meal).
            if (best != nullptr) {
                if (record->staminaChange > 0 && actor->status.stamina >= best->status.stamina) continue;
                if (record->calorieChange > 0 && actor->status.calorie >= best->status.calorie) continue;
            }
            if (room == nullptr || ship->IsReachable(actor->cellX, actor->cellY, room->gridX, room->gridY)) best = actor;
            continue;
        }
        std::int32_t cost = std::numeric_limits<std::int32_t>::max();
        if (item != nullptr) {
            cost = GAME_CShip::GetPathCost(actor->cellX, actor->cellY, item->GetCellColumn(), item->GetCellRow());
        } else if (room != nullptr) {
            cost = GAME_CShip::GetPathCost(actor->cellX, actor->cellY, room->gridX, room->gridY);
        }
        // A crew member who cannot walk there, or to what is to be carried, is no candidate at any price.
        if (cost < 0 || !CanFetchForCarry(*this, *actor, *task)) continue;
        if (cost < bestCost) {
            best = actor;
            bestCost = cost;
        } else if (!relaxed && best != nullptr && room != nullptr) {
            const std::int32_t link = LinkFor(*actor, *room);
            if (link != -1 && LinkFor(*best, *room) != roomIndex && link == roomIndex) best = actor;
        }
    }
    if (best == nullptr) {
        if (!relaxed) AssignCrewToTask(task, false, true);
        return;
    }
    ship->ReleaseDamageClaims(best);
    if (best->task != nullptr && best->task != task && best->task->IsRoomTask()) {
        if (GAME_CRoomBase* old = best->task->GetRoom()) old->RemoveCrew(best);
    }
    best->SetTask(task, true);
    task->AddCrew(best);
}
