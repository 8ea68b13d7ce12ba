// The autosave timer's reading of the route being travelled.
#include "game/services/save/autosave_links.h"

#include "game/model/world/game_world.h"

AutoSaveRouteState ReadAutoSaveRouteState()
{
    const GAME_CGameWorld* world = PeekGameWorld();
    const GAME_CRouteManager* route =
        world != nullptr && world->travel != nullptr ? world->travel->routeManager.get() : nullptr;
    if (route == nullptr) return {};
    return {true, route->IsRouteEventRunning(), route->IsHolding()};
}
