// The world map screen (slot 21): for now a screen that opens and closes with the route's state.
#pragma once

#include <cstdint>

#include "game/ui/ui_screen.h"

class GAME_CUIMap : public GAME_CUIScreen {
public:
    GAME_CUIMap() : GAME_CUIScreen(UIInputRule::kBlocksWhileOpen, false) {}

    // Set when no route is under way (progress below 1 or at its limit); the route's two nodes.
    std::uint32_t routeIdle = 0;
    std::uint32_t nodeA = 0;
    std::uint32_t nodeB = 0;
};
