// What the screen manager reads of the ship's rooms: kind, build state, room data and the room list.
#include "game/ui/ui_room_access.h"

#include "game/core/data/id_tags.h"
#include "game/core/data/player_data.h"
#include "game/core/data/static_database.h"
#include "game/core/world/game_world.h"
#include "game/ship/room_base.h"

std::uint16_t GetUIRoomKind(const GAME_CRoomBase* room)
{
    if (room == nullptr) return 0;
    const std::int32_t kind = FindRoomIdIndex(room->GetRoomId());
    return kind > 0 ? static_cast<std::uint16_t>(kind) : 0;
}

// The rooms of today's ship model are placed finished.
bool IsUIRoomUnderConstruction(const GAME_CRoomBase*) { return false; }

const RoomData* GetUIRoomData(const GAME_CRoomBase* room)
{
    if (room == nullptr) return nullptr;
    const GAME_CStaticDatabase* database = GetStaticDatabase();
    return database != nullptr ? database->FindRoomData(room->GetRoomId()) : nullptr;
}

const std::vector<GAME_CRoomBase*>* GetUIShipRooms()
{
    const GAME_CGameWorld* world = PeekGameWorld();
    return world != nullptr && world->ship ? &world->ship->rooms : nullptr;
}

UIRoomSound GetUIRoomSound(const GAME_CRoomBase* room)
{
    // The room kind's last pair holds its screen sound: {sound id (-1 none), loop value}.
    const RoomData* data = GetUIRoomData(room);
    if (data == nullptr || data->lastPair.id == kNoId) return {};
    return {static_cast<std::int32_t>(data->lastPair.id), data->lastPair.value};
}

// The rooms of today's ship model hold no tasks and no crew yet.
std::size_t GetUIRoomTasks(const GAME_CRoomBase*, UIRoomTasks& out)
{
    out.fill(nullptr);
    return 0;
}

UITaskView GetUITaskView(const GAME_CTaskBase*) { return {}; }

void CollectUIRoomCrew(const GAME_CRoomBase*, std::vector<GAME_CObjectActor*>& out) { out.clear(); }

std::int32_t GetUIRoomCapacity(const GAME_CRoomBase* room)
{
    const RoomData* data = GetUIRoomData(room);
    return data != nullptr ? data->capacity : 0;
}

UICrewView GetUICrewView(const GAME_CObjectActor*, const GAME_CRoomBase*) { return {}; }
