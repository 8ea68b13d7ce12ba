// What the screen manager reads of the ship's rooms: kind, build state, room data and the room list.
#pragma once

#include <cstdint>
#include <vector>

#include <array>
#include <string>
#include <string_view>

class GAME_CGameWorld;
class GAME_CObjectActor;
class GAME_CRoomBase;
class GAME_CTaskBase;
struct RoomData;

// The room's kind (its position in the room-id table); 0 for null.
std::uint16_t GetUIRoomKind(const GAME_CRoomBase* room);
bool IsUIRoomUnderConstruction(const GAME_CRoomBase* room);
// The room kind's data record, null when none.
const RoomData* GetUIRoomData(const GAME_CRoomBase* room);
// The ship's rooms in build order (empty without a ship).
const std::vector<GAME_CRoomBase*>* GetUIShipRooms(const GAME_CGameWorld& world);
// The room's place in the ship's room list; -1 without a ship or room, or for a room not on the ship.
std::int32_t GetUIRoomIndex(const GAME_CGameWorld& world, const GAME_CRoomBase* room);
// The sound a room's screen starts with: {id, loop value}; id -1 for none.
struct UIRoomSound {
    std::int32_t id = -1;
    std::int32_t loop = 0;
};
UIRoomSound GetUIRoomSound(const GAME_CRoomBase* room);

// --- what the room's task tab reads
inline constexpr std::size_t kUIRoomTaskSlots = 5;
using UIRoomTasks = std::array<GAME_CTaskBase*, kUIRoomTaskSlots>;
// Fills the array (emptied first) with the tasks bound to the room, at most five; their number.
std::size_t GetUIRoomTasks(const GAME_CRoomBase* room, UIRoomTasks& out);
// What a task row shows.
struct UITaskView {
    std::uint32_t tag = 0;       // the task data's tag, also its name's message key
    std::int32_t kind = -1;
    bool hidden = false;
    float progress = 0.0f;       // progress / duration, 0..1
    std::int32_t materialTotal = 0;  // items the task needs brought, 0 when none
    float carried = 0.0f;        // share of them brought so far, 0..1
};
UITaskView GetUITaskView(const GAME_CTaskBase* task);
// The room's assigned and present crew, then the workers of its tasks, each once.
void CollectUIRoomCrew(const GAME_CRoomBase* room, std::vector<GAME_CObjectActor*>& out);
// How many crew the room takes (128 and more: no limit).
std::int32_t GetUIRoomCapacity(const GAME_CRoomBase* room);
// What a crew panel cell shows.
struct UICrewView {
    std::u16string name;  // in Latin letters outside Japanese
    bool livesHere = false;  // bound as home, else as work room
    float stamina = 0.0f;    // 0..1
    float calorie = 0.0f;    // 0..1
};
UICrewView GetUICrewView(const GAME_CObjectActor* actor, const GAME_CRoomBase* room);
