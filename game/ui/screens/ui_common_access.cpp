// What the HUD reads of the running game: the ship, the route, the locks on its buttons and the pad cursor.
#include "game/ui/screens/ui_common_access.h"

#include "game/model/world/game_world.h"
#include "game/ui/ui_draw.h"

GAME_CShip* HudShip()
{
    GAME_CGameWorld* world = PeekGameWorld();
    return world != nullptr ? world->ship.get() : nullptr;
}

const GAME_CRouteManager* HudRoute()
{
    const GAME_CGameWorld* world = PeekGameWorld();
    return world != nullptr && world->travel ? world->travel->routeManager.get() : nullptr;
}

bool IsHudLocked()
{
    const GAME_CGameWorld* world = PeekGameWorld();
    if (world == nullptr) return true;
    if (world->inputBlocked != 0) return true;
    const GAME_CRouteManager* route = HudRoute();
    if (route != nullptr && route->IsRouteEventRunning()) return true;
    return world->ui && world->ui->IsOpen(kSlotEvent);
}

bool IsHideoutInReach()
{
    const GAME_CGameWorld* world = PeekGameWorld();
    const GAME_CRouteManager* route = HudRoute();
    if (world == nullptr || !world->ui || route == nullptr || !world->ui->IsOpen(kSlotAjitoRoot)) return false;
    const std::int32_t position = route->GetPosition();
    return position <= 0 || position >= route->GetLength();
}

vesk::math::Vec2 PadCursorPoint()
{
    const GAME_CShip* ship = HudShip();
    return ship != nullptr ? ship->GetCursorBoxCentre() : vesk::math::Vec2{kCanvasWidth * 0.5f, kCanvasHeight * 0.5f};
}

bool IsPadCursorOn()
{
    const GAME_CShip* ship = HudShip();
    return ship != nullptr && ship->cursorWord != 0;
}

void SetPadCursorOn(bool on)
{
    if (GAME_CShip* ship = HudShip()) ship->cursorWord = on ? 1 : 0;
}
