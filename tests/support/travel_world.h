// A small game world for travel tests: the ship world of ship tests with route scripts of a test's own.
#pragma once

#include <cstdint>
#include <string_view>

#include "tests/support/ship_world.h"

class GAME_CRouteManager;
class GAME_CScriptRoute;
class GAME_CTravelController;

namespace support {

// The route package is assembled from the test's source with the data set's definitions and
// registered as the start-up does; StartRoute then starts a route of it as the map screen does.
class TravelWorld : public ShipWorld {
protected:
    // Assembles and registers the route package; a failure names each assembler error.
    void LoadRoutes(std::string_view source);
    GAME_CTravelController& Travel() const;
    GAME_CRouteManager& Route() const;
    GAME_CScriptRoute& Script() const;
    // The route started forward (or backward) from its departure.
    void StartOnRoute(std::uint32_t routeId, bool forward = true);
    // Restarts the route script at the label and runs one frame.
    void RunLabel(std::u16string_view label);
    // A route variable's value; fails the test when it is absent.
    std::int32_t Variable(std::string_view name) const;
    bool HasVariable(std::string_view name) const;
    // Simulation steps of the whole world.
    void StepWorld(int count);
};

}  // namespace support
