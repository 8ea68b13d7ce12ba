// What the HUD reads of the running game: the ship, the route, the locks on its buttons and the pad cursor.
#include "game/ui/screens/ui_common_access.h"

#include "game/model/world/game_world.h"
#include "game/ui/ui_draw.h"

GAME_CShip* HudShip(const GAME_CGameWorld& world) { return world.ship.get(); }

const GAME_CRouteManager* HudRoute(const GAME_CGameWorld& world)
{
    return world.travel ? world.travel->routeManager.get() : nullptr;
}

bool IsHudLocked(const GAME_CGameWorld& world)
{
    if (world.inputBlocked != 0) return true;
    const GAME_CRouteManager* route = HudRoute(world);
    if (route != nullptr && route->IsRouteEventRunning()) return true;
    return world.ui && world.ui->IsOpen(kSlotEvent);
}

bool IsHideoutInReach(const GAME_CGameWorld& world)
{
    const GAME_CRouteManager* route = HudRoute(world);
    if (!world.ui || route == nullptr || !world.ui->IsOpen(kSlotAjitoRoot)) return false;
    const std::int32_t position = route->GetPosition();
    return position <= 0 || position >= route->GetLength();
}

vesk::math::Vec2 PadCursorPoint(const GAME_CGameWorld& world)
{
    const GAME_CShip* ship = HudShip(world);
    return ship != nullptr ? ship->GetCursorBoxCentre() : vesk::math::Vec2{kCanvasWidth * 0.5f, kCanvasHeight * 0.5f};
}

bool IsPadCursorOn(const GAME_CGameWorld& world)
{
    const GAME_CShip* ship = HudShip(world);
    return ship != nullptr && ship->cursorWord != 0;
}

void SetPadCursorOn(const GAME_CGameWorld& world, bool on)
{
    if (GAME_CShip* ship = HudShip(world)) ship->cursorWord = on ? 1 : 0;
}
