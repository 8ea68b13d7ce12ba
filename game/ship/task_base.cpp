// A crew task: its kind, room, crew, progress and flags, and the request every task is made from.
#include "game/ship/task_base.h"

#include "game/core/data/tag.h"
#include "game/core/world/game_world.h"
#include "game/object/object_actor.h"
#include "game/core/world/game_world_ready.h"
#include "game/ship/room_base.h"
#include "game/ship/ship.h"
#include "game/ship/task_manager.h"

GAME_CTaskBase::GAME_CTaskBase(const GAME_CTaskRequest& request)
    : id(request.taskId), kind_(request.kind), roomIndex_(request.roomIndex), target_(request.target)
{
}

GAME_CTaskRequest MakeItemCarrierRequest(GAME_CObjectItem* item, std::int32_t column, std::int32_t row)
{
    GAME_CTaskRequest request;
    request.taskId = MakeTag("TICR");
    request.kind = kTaskItemCarrier;
    request.size = 24;
    request.roomIndex = -1;
    request.target = item;
    request.words[0] = (static_cast<std::uint32_t>(column) & 0xFFFF) | (static_cast<std::uint32_t>(row) << 16);
    return request;
}

void GAME_CTaskBase::RemoveCrew(GAME_CObjectActor* member)
{
    if (member == nullptr) return;
    std::erase(crew, member);
    if (member->task == this) member->SetTask(nullptr, false);
}

GAME_CTaskBase* GAME_CTaskBase::CreateFromRequest(const GAME_CTaskRequest& request)
{
    GAME_CGameWorld* world = PeekGameWorld();
    if (world == nullptr || !world->tasks) return nullptr;
    if (request.kind < 0 || request.kind >= kTaskKindCount || request.kind == 1) return nullptr;
    if (!world->tasks->CanCreateTask(request)) return nullptr;
    auto* task = new GAME_CTaskBase(request);
    if (task == nullptr) return nullptr;
    world->tasks->AddTask(task);
    return task;
}

bool GAME_CTaskBase::IsRoomTask() const
{
    return kind_ != kTaskItemCarrier && kind_ != kTaskCarrierFromInventory && kind_ != kTaskReload &&
           kind_ != kTaskMealOnGrid;
}

GAME_CRoomBase* GAME_CTaskBase::GetRoom() const
{
    const GAME_CGameWorld* world = PeekGameWorld();
    return world && world->ship ? world->ship->GetRoom(roomIndex_) : nullptr;
}

void GAME_CTaskBase::Finish()
{
    finished = 1;
    if (IsGameWorldReady() && IsRoomTask()) {
        if (GAME_CRoomBase* room = GetRoom()) room->DetachTask(this);
    }
}
