// The world map screen (slot 21): not built yet, a stand-in that closes on cancel or a pointer press.
#pragma once

#include <cstdint>

#include "game/ui/unbuilt_screen.h"

class GAME_CUIMap : public GAME_CUIUnbuiltScreen, public UIScreenSlot<kSlotMap> {
public:
    GAME_CUIMap() : GAME_CUIUnbuiltScreen() {}

    // Set when no route is under way (progress below 1 or at its limit); the route's two nodes.
    std::uint32_t routeIdle = 0;
    std::uint32_t nodeA = 0;
    std::uint32_t nodeB = 0;
};
