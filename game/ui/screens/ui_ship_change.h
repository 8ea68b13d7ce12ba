// The ship-change screen (slot 24): for now a screen that only opens and closes.
#pragma once

#include <cstdint>

#include "game/ui/ui_screen.h"

class GAME_CUIShipChange : public GAME_CUIScreen {
public:
    GAME_CUIShipChange() : GAME_CUIScreen(UIInputRule::kBlocksWhileOpen, false) {}

    std::int32_t value = 0;  // a route script sets it when it opens the screen
};
