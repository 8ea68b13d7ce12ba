// The shipped road from Cheddar Springs to Rusty Gear Post, the road a new game's opening stands on,
// taken as the first road of the game.
#include <gtest/gtest.h>

#include "game/model/ship/room_base.h"
#include "game/model/ship/ship.h"
#include "game/model/travel/route_manager.h"
#include "game/model/travel/travel_controller.h"
#include "game/model/world/game_world.h"
#include "game/services/input/input_actions.h"
#include "game/ui/event_selection.h"
#include "game/ui/screens/ui_event.h"
#include "game/ui/ui_manager.h"
#include "tests/support/game_fixture.h"

namespace {

constexpr std::uint32_t kRoadToRustyGear = 1;

class RoadToRustyGear : public support::GameFixture {};

// The opening runs on this road's id, but none of the road has been met: set out on it from the
// start, the ship still comes to the oasis's question half way.
TEST_F(RoadToRustyGear, TheFirstRoadOfANewGameStillMeetsItsEvents)
{
    ASSERT_NO_FATAL_FAILURE(StartNewGameToFirstRoad());
    GAME_CGameWorld& world = *GetGameWorld();
    for (GAME_CRoomBase* room : world.ship->rooms) {
        if (room != nullptr && room->kind == 23) room->engineMode = kEngineConnected;
    }
    world.ship->RecalcStats();
    std::uint32_t road = kRoadToRustyGear;
    ASSERT_EQ(world.travel->routeManager->GetRouteId(), road);
    StartRoute(*world.travel, &road, true, {}, {});
    ShowNextHideoutNotice(world);
    const GAME_CRouteManager& route = *world.travel->routeManager;

    // The texts on the way read; the question itself is the player's.
    bool pressed = false;
    const bool asked = StepUntil(
        [&] {
            if (GetEventSelection()->IsActive()) return true;
            const GAME_CUIEvent& window = *UI().Get<GAME_CUIEvent>();
            const bool waiting = window.IsOpen() && window.AllShown() && !window.IsFinished();
            if (waiting && !pressed) PressAction(kActionDecide);
            pressed = waiting && !pressed;
            return route.GetPosition() >= route.GetLength();
        },
        6000);
    ASSERT_TRUE(asked) << "stopped at " << route.GetPosition();
    EXPECT_TRUE(GetEventSelection()->IsActive()) << "no question by " << route.GetPosition();
}

}  // namespace
