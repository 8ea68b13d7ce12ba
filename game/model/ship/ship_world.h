// What the ship and its rooms reach of the game world: camera, screens, messages, travel and sound.
#pragma once

#include <cstdint>
#include <string_view>

class GAME_CCamera2D;
class GAME_CFieldObjectManager;
class GAME_CGameWorld;
class GAME_CShip;
class GAME_CTaskManager;

// Each gives a neutral answer while the game world or the member is missing, so that the ship
// can be built and stepped on its own.
namespace ship_world {

GAME_CShip* Ship();
GAME_CFieldObjectManager* FieldObjects();
GAME_CTaskManager* Tasks();
GAME_CCamera2D* Camera();
// 1.0 without a camera.
float CameraZoom();
// The camera's target x; 0 without a camera.
float CameraScrollX();
bool IsScreenOpen(int slot);
// The text into the message log and the info bar with its kind.
void PostMessage(std::u16string_view text, std::uint32_t kind);
// The ship's distance along the current route and the route's length; 0 without a route.
std::int32_t TravelDistance();
std::int32_t RouteLength();
// True while births wait: a route event runs, or a birth is being announced.
bool AreBirthsHeld();
void PlaySoundEffect(std::uint32_t id, float volume);

}  // namespace ship_world
