// The labels a route script arms for the hideout screens, and the one way a screen runs its armed label.
#include "game/model/travel/route_screen_labels.h"

#include <string>

#include "framework/log/log.h"
#include "game/model/travel/route_manager.h"

bool RunArmedRouteLabel(GAME_CRouteManager* route, RouteScreenLabel label)
{
    if (route == nullptr) return false;
    GAME_CScriptRoute& script = route->Script();
    std::int32_t& word = script.scriptWords[static_cast<std::size_t>(static_cast<std::int32_t>(label) - 1)];
    if (word == -1) return false;
    const std::int32_t armed = word;
    // Disarmed first: the label may arm the word again for a later visit.
    word = -1;
    const auto* program = script.GetProgram();
    if (armed < 0 || program == nullptr || static_cast<std::uint32_t>(armed) >= program->commandCount) {
        vesk::log::Warning("route script word " + std::to_string(static_cast<std::int32_t>(label)) + " names command " +
                           std::to_string(armed) + ", which the route's script does not hold; dropped");
        return false;
    }
    script.Restart(static_cast<std::uint32_t>(armed));
    script.Update();
    return true;
}
