// The crew AI's walking: the path planned over the ship's grid by the ship's own walking rules, and one step along it at a time.
#include <algorithm>
#include <cstdlib>

#include "game/model/object/actor_ai_base.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_actor.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/ship_paths.h"
#include "game/model/ship/ship_world.h"
#include "game/model/ship/task_base.h"

namespace {

constexpr float kMinimumSpeed = 0.1f;
constexpr std::int32_t kPatientKind = kTaskPatient;

std::uint32_t PackCell(std::int32_t column, std::int32_t row)
{
    return static_cast<std::uint32_t>(column & 0xFFFF) | static_cast<std::uint32_t>(row & 0xFFFF) << 16;
}

}  // namespace

void GAME_CActorAIBase::Reset(GAME_CObjectActor* newOwner)
{
    owner = newOwner;
    thinkCountdown = 0;
    ClearTarget();
    startColumn = 0;
    startRow = 0;
    repairRequested = 0;
}

void GAME_CActorAIBase::ClearTarget()
{
    targetColumn = kNoCell;
    targetRow = kNoCell;
    path.fill(kEmptyEntry);
    pathIndex = 0;
    pathActive = 0;
}

std::uint16_t GAME_CActorAIBase::PathColumn(std::size_t i) const
{
    return i < path.size() && path[i] != kEmptyEntry ? static_cast<std::uint16_t>(path[i] & 0xFFFF) : kNoCell;
}

std::uint16_t GAME_CActorAIBase::PathRow(std::size_t i) const
{
    return i < path.size() && path[i] != kEmptyEntry ? static_cast<std::uint16_t>(path[i] >> 16) : kNoCell;
}

bool GAME_CActorAIBase::PlanPath()
{
    path.fill(kEmptyEntry);
    pathIndex = 0;
    thinkCountdown = 0;
    const GAME_CShip* ship = ship_world::Ship();
    if (ship == nullptr || !ship->grid.IsInside(startColumn, startRow) || !ship->grid.IsInside(targetColumn, targetRow)) {
        pathActive = 0;
        return false;
    }
    // The walk row by row finds whether the target is reachable as it goes; only a path cut
    // short at its last entry leaves rows to be checked.
    std::size_t count = 0;
    std::int32_t column = startColumn;
    std::int32_t row = startRow;
    while (row != targetRow && count < kPathEntries) {
        const std::int32_t change = ship_paths::FindRowChange(*ship, column, row, targetRow);
        if (change < 0) {
            // No column joins the rows: walking this path would leave the crew member stranded.
            path.fill(kEmptyEntry);
            pathActive = 0;
            return false;
        }
        const std::int32_t next = row < targetRow ? row + 1 : row - 1;
        path[count++] = PackCell(change, row);
        if (count < kPathEntries) path[count++] = PackCell(change, next);
        column = change;
        row = next;
    }
    if (row != targetRow && !ship->IsReachable(column, row, targetColumn, targetRow)) {
        path.fill(kEmptyEntry);
        pathActive = 0;
        return false;
    }
    if (count < kPathEntries) path[count] = PackCell(targetColumn, targetRow);
    return true;
}

std::int32_t GAME_CActorAIBase::GetPathCostFromActor(std::int32_t column, std::int32_t row) const
{
    if (owner == nullptr) return -1;
    return GAME_CShip::GetPathCost(owner->cellX, owner->cellY, column, row);
}

std::int32_t GAME_CActorAIBase::FindRoomEntryCell(std::int32_t column, std::int32_t row, const GAME_CRoomBase& room,
                                                  std::int32_t* outColumn, std::int32_t* outRow)
{
    const GAME_CShip* ship = ship_world::Ship();
    if (ship == nullptr) return -1;
    if (ship->GetRoomAtCell(column, row) == &room) {
        *outColumn = column;
        *outRow = row;
        return 0;
    }
    std::int32_t best = -1;
    for (std::int32_t dy = 0; dy < room.height; ++dy) {
        for (std::int32_t dx = 0; dx < room.width; ++dx) {
            const std::int32_t cost = GAME_CShip::GetPathCost(column, row, room.gridX + dx, room.gridY + dy);
            if (cost < 0 || (best >= 0 && cost >= best)) continue;
            best = cost;
            *outColumn = room.gridX + dx;
            *outRow = room.gridY + dy;
        }
    }
    return best;
}

bool GAME_CActorAIBase::WalkTo(std::int32_t column, std::int32_t row)
{
    if (owner == nullptr) return false;
    startColumn = owner->cellX;
    startRow = owner->cellY;
    targetColumn = static_cast<std::uint16_t>(column);
    targetRow = static_cast<std::uint16_t>(row);
    pathActive = PlanPath() ? 1 : 0;
    return pathActive != 0;
}

bool GAME_CActorAIBase::WalkToRoom(const GAME_CRoomBase& room)
{
    if (owner == nullptr) return false;
    std::int32_t column = -1;
    std::int32_t row = -1;
    if (FindRoomEntryCell(owner->cellX, owner->cellY, room, &column, &row) < 0) return false;
    return WalkTo(column, row);
}

void GAME_CActorAIBase::FollowPath(vesk::math::Vec2& move)
{
    move = {};
    repairRequested = 0;
    if (owner == nullptr) return;
    if (targetColumn >= GAME_CShipGrid::kMaxWidth || targetRow >= GAME_CShipGrid::kMaxHeight || thinkCountdown >= 1) {
        pathActive = 0;
        return;
    }
    if (owner->assigned != 0) {
        // Inside a room a crew member stays put, unless it lies in for another's treatment.
        GAME_CTaskBase* task = owner->task;
        if (task != nullptr && task->GetKind() == kPatientKind) {
            const GAME_CObjectActor* patient = task->GetTargetIndex().actor;
            if (patient != nullptr && patient != owner) {
                GAME_CRoomBase* room = task->GetRoom();
                if (room != nullptr) room->RemoveCrew(owner);
                task->RemoveCrew(owner);
                owner->SetTask(nullptr, false);
                thinkCountdown = 0;
            }
        }
        return;
    }
    const float speed = std::max(owner->status.computed.walkSpeedX, kMinimumSpeed);
    const float climb = std::max(owner->status.computed.walkSpeedY, kMinimumSpeed);
    const std::int32_t offsetX = owner->GetCellOffsetX();
    const std::int32_t offsetY = owner->GetCellOffsetY();
    if (owner->cellX == targetColumn && owner->cellY == targetRow) {
        if (offsetX != 0 && offsetY != 0) {
            pathActive = 0;
            Think();
        } else if (offsetX != 0) {
            move.x = offsetX == 2 ? speed : -speed;
        } else if (offsetY != 0) {
            move.y = offsetY == 2 ? climb : -climb;
        } else {
            ArriveAtTarget(targetColumn, targetRow);
        }
        return;
    }
    const std::uint16_t column = PathColumn(static_cast<std::size_t>(pathIndex));
    const std::uint16_t row = PathRow(static_cast<std::size_t>(pathIndex));
    if (pathIndex >= static_cast<std::int32_t>(kPathEntries) || column == kNoCell) {
        // The path ran out before the target: the task goes back to be handed out.
        if (owner->task != nullptr) {
            if (GAME_CFieldObjectManager* objects = ship_world::FieldObjects()) {
                objects->AssignCrewToTask(owner->task, true, false);
            }
        }
        pathActive = 0;
        return;
    }
    if (row != owner->cellY) {
        if (owner->cellX != column) {
            pathActive = 0;
            return;
        }
        move.y = row > owner->cellY ? climb : -climb;
        return;
    }
    if (owner->cellX != column) {
        move.x = column > owner->cellX ? speed : -speed;
        return;
    }
    if (offsetX == 0 && offsetY == 0) {
        ++pathIndex;
    } else if (offsetX != 0) {
        move.x = offsetX == 2 ? speed : -speed;
    } else {
        move.y = offsetY == 2 ? climb : -climb;
    }
}
