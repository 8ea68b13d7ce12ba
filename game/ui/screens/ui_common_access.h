// What the HUD reads of the running game: the ship, the route, the locks on its buttons and the pad cursor.
#pragma once

#include <cstdint>

#include "framework/math/vector.h"

class GAME_CGameWorld;
class GAME_CRouteManager;
class GAME_CShip;

// Sound effect of a HUD button press and of a crew member dropped into a room.
inline constexpr std::int32_t kSeHudPress = 3;

GAME_CShip* HudShip(const GAME_CGameWorld& world);
const GAME_CRouteManager* HudRoute(const GAME_CGameWorld& world);
// The UI lock, a running route event or an open event window: the HUD's buttons (but the speed
// buttons, which only the UI lock stops), shortcuts and pad cursor rest.
bool IsHudLocked(const GAME_CGameWorld& world);
// The hideout root screen is open and the ship stands at an end of its route.
bool IsHideoutInReach(const GAME_CGameWorld& world);
// The point the pad cursor stands on: the ship's grid cursor box centre.
vesk::math::Vec2 PadCursorPoint(const GAME_CGameWorld& world);
// The ship view is driven by the pad cursor (the ship's cursor word).
bool IsPadCursorOn(const GAME_CGameWorld& world);
void SetPadCursorOn(const GAME_CGameWorld& world, bool on);
