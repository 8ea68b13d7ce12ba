// A crew member: what its actor script's restart touches, its place on the grid, its room links and status.
#include "game/object/object_actor.h"

#include <cmath>

#include "game/core/data/room_records.h"
#include "game/core/world/game_world.h"
#include "game/core/world/game_world_ready.h"
#include "game/ship/room_base.h"
#include "game/ship/ship.h"
#include "game/ship/task_base.h"

namespace {

constexpr std::int32_t kCrewHomeKind = 3;

}  // namespace

void GAME_CObjectActor::Init(const ActorSetupRecord& record)
{
    active = 1;
    dead = 0;
    homeLink = ActorRoomLink{};
    workLink = ActorRoomLink{};
    assigned = 0;
    roomLinkFlag = 0;
    parentToBe = 0;
    task = nullptr;
    status = GAME_CActorStatus{};
    drawOffset_ = {0.0f, kStandardDrawOffsetY};
    visible_ = true;
    PlaceAt(record.x, record.y);
}

void GAME_CObjectActor::PlaceAt(float x, float y)
{
    positionX = x;
    positionY = y;
    const GAME_CGameWorld* world = PeekGameWorld();
    const float cellWidth = world && world->ship ? world->ship->grid.cellWidth : 24.0f;
    const float cellHeight = world && world->ship ? world->ship->grid.cellHeight : 24.0f;
    cellX = static_cast<std::int16_t>(std::floor(x / cellWidth));
    cellY = static_cast<std::int16_t>(std::floor(y / cellHeight));
}

void GAME_CObjectActor::SetRoomLink(std::int32_t roomNumber, bool home)
{
    const GAME_CGameWorld* world = PeekGameWorld();
    if (!IsGameWorldReady() || world == nullptr || !world->ship) {
        homeLink = ActorRoomLink{};
        workLink = ActorRoomLink{};
        return;
    }
    if (roomNumber == -1) {
        (home ? homeLink : workLink) = ActorRoomLink{};
        return;
    }
    GAME_CRoomBase* room = world->ship->GetRoom(roomNumber);
    if (room == nullptr) return;
    if (room->kind == kCrewHomeKind) {
        homeLink = ActorRoomLink{roomNumber, room};
    } else if (room->roomData != nullptr && (room->roomData->flags & kRoomTakesCrew) != 0) {
        workLink = ActorRoomLink{roomNumber, room};
    }
}

void GAME_CObjectActor::SetTask(GAME_CTaskBase* newTask, bool)
{
    if (newTask == task) return;
    if (task != nullptr) {
        if (GAME_CRoomBase* room = task->GetRoom()) room->RemoveCrew(this);
    }
    task = newTask;
}

void GAME_CObjectActor::ShowBalloon(std::uint32_t group, bool) { lastBalloonGroup = group; }
