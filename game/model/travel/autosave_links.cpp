// The autosave timer's reading of the route being travelled.
#include "game/services/save/autosave_links.h"

#include "game/model/world/game_world.h"

AutoSaveRouteState ReadAutoSaveRouteState()
{
    const GAME_CGameWorld* world = PeekGameWorld();
    const GAME_CRouteManager* route =
        world != nullptr && world->travel != nullptr ? world->travel->routeManager.get() : nullptr;
    if (route == nullptr) return {};
    // A hull that has given out is saved by nobody: the game over it brings on restores the ship
    // first, and a save of it would sink the ship again on every load.
    const bool shipLost = (world->ship != nullptr && world->ship->GetRemainingHull() <= 0) ||
                          (world->ui != nullptr && world->ui->IsOpen(kSlotGameOver));
    return {true, route->IsRouteEventRunning(), route->IsHolding() || shipLost};
}
