// What the screen manager reads of the ship's rooms: kind, build state, room data and the room list.
#pragma once

#include <cstdint>
#include <vector>

class GAME_CRoomBase;
struct RoomData;

// The room's kind (its position in the room-id table); 0 for null.
std::uint16_t GetUIRoomKind(const GAME_CRoomBase* room);
bool IsUIRoomUnderConstruction(const GAME_CRoomBase* room);
// The room kind's data record, null when none.
const RoomData* GetUIRoomData(const GAME_CRoomBase* room);
// The ship's rooms in build order (empty without a ship).
const std::vector<GAME_CRoomBase*>* GetUIShipRooms();
// The sound a room's screen starts with: {id, loop value}; id -1 for none.
struct UIRoomSound {
    std::int32_t id = -1;
    std::int32_t loop = 0;
};
UIRoomSound GetUIRoomSound(const GAME_CRoomBase* room);
