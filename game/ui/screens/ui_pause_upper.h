// The upper pause bar (slot 26): for now a screen that only opens and closes, passing input on.
#pragma once

#include <cstdint>

#include "game/ui/ui_screen.h"

class GAME_CUIPauseUpper : public GAME_CUIScreen {
public:
    GAME_CUIPauseUpper() : GAME_CUIScreen(UIInputRule::kAlwaysPasses, false) {}

    std::int32_t selection = -1;
};
