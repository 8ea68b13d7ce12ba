// The busiest travel the game draws every frame: the larger hull under way with a full crew, enemies ahead and background objects.
#pragma once

#include <algorithm>
#include <cstdint>

#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_actor.h"
#include "game/model/object/object_enemy.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/task_base.h"
#include "game/model/ship/task_request.h"
#include "game/model/travel/travel_controller.h"
#include "game/model/world/game_world.h"
#include "game/services/data/id_tags.h"
#include "game/services/data/static_lookups.h"
#include "game/services/data/tag.h"

namespace support {

// The ship's bridge, or null when it has none (the enemies can break it).
inline GAME_CRoomBase* FindBridge(const GAME_CShip& ship)
{
    for (GAME_CRoomBase* room : ship.rooms) {
        if (room != nullptr && room->kind == kRoomKindBridge) return room;
    }
    return nullptr;
}

// A bridge at the hull's top-left cell and a connected engine below it, each placed finished unless the ship
// has one already. The bridge, or null when a room could not be placed.
inline GAME_CRoomBase* PlaceDrivingRooms(GAME_CShip& ship)
{
    const bool hasEngine = std::any_of(ship.rooms.begin(), ship.rooms.end(), [](const GAME_CRoomBase* room) {
        return room != nullptr && room->kind == kRoomKindEngine;
    });
    if (!hasEngine) {
        GAME_CRoomBase* engine = ship.PlaceRoom(0, 1, FindRoomIdIndex(MakeTag("ID23")));
        if (engine == nullptr) return nullptr;
        engine->engineMode = kEngineConnected;
        ship.RecalcStats();
    }
    GAME_CRoomBase* bridge = FindBridge(ship);
    return bridge != nullptr ? bridge : ship.PlaceRoom(0, 0, FindRoomIdIndex(MakeTag("ID01")));
}

// A driver task on the bridge with a crew member on it, as the player orders one. False when none could be made.
inline bool OrderBridgeDriver(GAME_CGameWorld& world, GAME_CRoomBase& bridge)
{
    GAME_CTaskBase* driver = GAME_CTaskBase::CreateFromRequest(MakeBridgeDriverRequest(world.ship->GetRoomIndex(&bridge)));
    if (driver == nullptr) return false;
    world.fieldObjects->AssignCrewToTask(driver, false, false);
    return true;
}

// On a world in the main game with the title closed: the larger hull with a bridge and a
// connected engine under way on the first road at speed x3, 40 crew (one driving), 16 enemies
// ahead and the road lined with 128 background objects. False when any part could not be made.
inline bool FurnishBusyRoad(GAME_CGameWorld& world)
{
    constexpr std::uint32_t kRoad = 1;
    GAME_CShip& ship = *world.ship;
    if (!ship.ChangeShip(MakeTag("SHP3"))) return false;
    GAME_CRoomBase* bridge = PlaceDrivingRooms(ship);
    if (bridge == nullptr) return false;
    ship.AddFuel(100000);
    StartRoute(*world.travel, &kRoad, true, {}, {});
    GAME_CFieldObjectManager& field = *world.fieldObjects;
    for (int i = 0; i < 40; ++i) {
        GAME_CObjectActor* actor = field.AcquireActorObject();
        if (actor == nullptr) return false;
        ActorSetupRecord setup;
        ship.GetCellFloorPoint(i % ship.grid.width, i / ship.grid.width % ship.grid.height, &setup.x, &setup.y, true);
        actor->Init(setup);
        actor->aiEnabled = 1;
    }
    if (!OrderBridgeDriver(world, *bridge)) return false;
    for (int i = 0; i < 16; ++i) {
        GAME_CObjectEnemy* enemy = field.AcquireEnemyObject();
        if (enemy == nullptr) return false;
        enemy->Init({MakeTag(i % 2 == 0 ? "E001" : "E002"), {600 + 40 * i, 600 + 40 * i}});
    }
    for (int i = 0; i < 128; ++i) world.background->PlaceObject(20 + 18 * i, i % 6, 800 + (i % 5) * 100, false);
    world.timeScale->speed = 3.0f;
    return world.background->ActiveObjects().size() == 128;
}

// The busy road with a ship furnished to the full: 41 rooms on the larger hull, 128 crew and every
// workshop's task list filled with repeating crafts, seen at the widest zoom. The number of tasks
// made, or -1 when any part could not be made.
inline int FurnishHeavyShip(GAME_CGameWorld& world)
{
    if (!FurnishBusyRoad(world)) return -1;
    GAME_CShip& ship = *world.ship;
    // Workshops (which take the crafts) between crew quarters, storerooms, tailors and libraries.
    const std::uint32_t kinds[] = {MakeTag("ID06"), MakeTag("ID03"), MakeTag("ID20"), MakeTag("ID13"), MakeTag("ID28")};
    int placed = 2;  // the bridge and the engine
    for (std::int32_t y = 0; y < ship.grid.height && placed < 41; ++y) {
        for (std::int32_t x = 0; x < ship.grid.width && placed < 41; ++x) {
            if (ship.PlaceRoom(x, y, FindRoomIdIndex(kinds[placed % 5])) != nullptr) ++placed;
        }
    }
    if (placed < 41) return -1;
    GAME_CFieldObjectManager& field = *world.fieldObjects;
    for (int i = 40; i < 128; ++i) {
        GAME_CObjectActor* actor = field.AcquireActorObject();
        if (actor == nullptr) return -1;
        ActorSetupRecord setup;
        ship.GetCellFloorPoint(i % ship.grid.width, i / ship.grid.width % ship.grid.height, &setup.x, &setup.y, true);
        actor->Init(setup);
        actor->aiEnabled = 1;
    }
    const TaskData* craft = FindTaskData(MakeTag("TC01"));
    if (craft == nullptr) return -1;
    int tasks = 0;
    for (GAME_CRoomBase* room : ship.rooms) {
        if (room == nullptr) continue;
        for (int i = 0; i < 13; ++i) {
            GAME_CTaskBase* task = GAME_CTaskBase::CreateFromRequest(MakeItemCraftRequest(*craft, ship.GetRoomIndex(room), 1));
            if (task == nullptr) break;
            task->repeat = 1;
            ++tasks;
        }
    }
    world.camera->SetZoom(world.camera->zoomMin, 0);
    return tasks;
}

}  // namespace support
