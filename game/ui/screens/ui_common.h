// The in-game HUD (slot 3): for now a screen that only opens and closes, passing input on while it rests.
#pragma once

#include <cstdint>

#include "game/ui/ui_screen.h"

class GAME_CUICommon : public GAME_CUIScreen {
public:
    GAME_CUICommon() : GAME_CUIScreen(UIInputRule::kPassesWhenSettled, true) {}

    // Two display flags a route script sets.
    std::uint32_t displayFlagA = 0;
    std::uint32_t displayFlagB = 0;
};
