// The labels a route script arms for the hideout screens, and the one way a screen runs its armed label.
#pragma once

#include <cstdint>

class GAME_CRouteManager;

// Which of the route script's six script words a screen reads: the hideout menu, the gas station,
// the market, the quest board, a quest delivery and the pub.
enum class RouteScreenLabel : std::int32_t {
    kHideoutMenu = 1,
    kGasStation = 2,
    kMarket = 3,
    kQuestBoard = 4,
    kQuestDelivered = 5,
    kPub = 6,
};

// When the route's word holds a label (a command index of its script, -1 for none): the word goes
// back to -1, the route script restarts there and runs one step, so an armed label runs exactly
// once. A label outside the script is dropped with a log line. True when the script ran.
bool RunArmedRouteLabel(GAME_CRouteManager* route, RouteScreenLabel label);
