// The autosave timer's reading of the route being travelled.
#include "game/services/save/autosave_links.h"

#include <algorithm>

#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_actor.h"
#include "game/model/ship/task_crew.h"
#include "game/model/world/game_world.h"

AutoSaveRouteState ReadAutoSaveRouteState()
{
    const GAME_CGameWorld* world = PeekGameWorld();
    const GAME_CRouteManager* route =
        world != nullptr && world->travel != nullptr ? world->travel->routeManager.get() : nullptr;
    if (route == nullptr) return {};
    // A hull that has given out, or a crew with nobody left alive, is saved by nobody: a save of
    // either would end the game again on every load. The save waits until the game over has
    // given the ship back and someone of the crew lives.
    const bool shipLost = (world->ship != nullptr && world->ship->GetRemainingHull() <= 0) ||
                          (world->ui != nullptr && world->ui->IsOpen(kSlotGameOver));
    const bool crewLost = world->fieldObjects != nullptr &&
                          std::none_of(world->fieldObjects->crew.begin(), world->fieldObjects->crew.end(),
                                       [](const GAME_CObjectActor* actor) {
                                           return actor != nullptr && task_crew::IsAliveInField(*actor);
                                       });
    return {true, route->IsRouteEventRunning(), route->IsHolding() || shipLost || crewLost};
}
