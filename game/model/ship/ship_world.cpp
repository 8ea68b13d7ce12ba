// What the ship and its rooms reach of the game world: camera, screens, messages, travel and sound.
#include "game/model/ship/ship_world.h"

#include <string>

#include "game/services/data/static_lookups.h"
#include "game/services/sound/sound_player.h"
#include "game/services/ui_port/ui_slots.h"
#include "game/model/world/game_world.h"

namespace ship_world {

namespace {

const GAME_CRouteManager* RouteManager()
{
    const GAME_CGameWorld* world = PeekGameWorld();
    return world && world->travel ? world->travel->routeManager.get() : nullptr;
}

}  // namespace

GAME_CShip* Ship()
{
    GAME_CGameWorld* world = PeekGameWorld();
    return world ? world->ship.get() : nullptr;
}

GAME_CFieldObjectManager* FieldObjects()
{
    GAME_CGameWorld* world = PeekGameWorld();
    return world ? world->fieldObjects.get() : nullptr;
}

GAME_CTaskManager* Tasks()
{
    GAME_CGameWorld* world = PeekGameWorld();
    return world ? world->tasks.get() : nullptr;
}

GAME_CCamera2D* Camera()
{
    GAME_CGameWorld* world = PeekGameWorld();
    return world ? world->camera.get() : nullptr;
}

float CameraZoom()
{
    const GAME_CCamera2D* camera = Camera();
    return camera ? camera->zoom : 1.0f;
}

float CameraScrollX()
{
    const GAME_CCamera2D* camera = Camera();
    return camera ? static_cast<float>(camera->targetX) : 0.0f;
}

bool IsScreenOpen(int slot) { return IsUIScreenOpen(slot); }

void PostMessage(std::u16string_view text, std::uint32_t kind)
{
    GAME_CGameWorld* world = PeekGameWorld();
    if (world == nullptr || !world->ui) return;
    world->ui->PostLine(text, static_cast<std::int32_t>(kind));
}

std::int32_t TravelDistance()
{
    const GAME_CRouteManager* route = RouteManager();
    return route ? route->GetPosition() : 0;
}

std::int32_t RouteLength()
{
    const GAME_CRouteManager* route = RouteManager();
    const RouteData* record = route ? FindRouteData(route->GetRouteId()) : nullptr;
    return record ? record->length : 0;
}

bool AreBirthsHeld()
{
    // One birth is announced at a time: a second one due in the same frame waits for the window,
    // which would otherwise take the second family in place of the first.
    if (IsScreenOpen(kSlotActorBirth)) return true;
    const GAME_CRouteManager* route = RouteManager();
    return route != nullptr && route->IsRouteEventRunning();
}

void PlaySoundEffect(std::uint32_t id, float volume)
{
    if (GAME_CSoundPlayer* player = GetSoundPlayer()) player->PlaySE(id, volume);
}

}  // namespace ship_world
