// The title screen (slot 37): for now a screen that only opens and closes.
#pragma once

#include <cstdint>

#include "game/ui/ui_screen.h"

class GAME_CUITitle : public GAME_CUIScreen {
public:
    GAME_CUITitle() : GAME_CUIScreen(UIInputRule::kBlocksWhileOpen, false) {}

    std::int32_t counter = 0;  // a route script sets it to 10
};
