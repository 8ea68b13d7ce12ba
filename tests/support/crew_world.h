// A small game world for crew and field-object tests: the ship test world plus the crew's script, balloon groups and a route.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "tests/support/crew_test_data.h"
#include "tests/support/ship_world.h"

class GAME_CFieldObjectManager;
class GAME_CObjectActor;
class GAME_CRouteManager;

namespace support {

// The ship test world ("SHP2", 10 x 3 cells) with the crew's script, the balloon groups above, the
// crew base stats at their defaults and a route manager (position 0, length 0).
class CrewWorld : public ShipWorld {
protected:
    void SetUp() override;

    GAME_CFieldObjectManager& Field() const;
    GAME_CRouteManager& Route() const;
    // Simulation steps of the field objects alone.
    void StepField(int count);
    // A bigger ship: "SHPL", 19 x 13 cells, all floor.
    void UseLargeShip();
    // The message log's lines, in order.
    std::vector<std::u16string> LogMessages() const;
};

}  // namespace support
