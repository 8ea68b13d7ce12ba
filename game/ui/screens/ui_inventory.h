// The inventory screen (slot 19): for now a screen that only opens and closes.
#pragma once

#include <cstdint>

#include "game/ui/ui_screen.h"

class GAME_CUIInventory : public GAME_CUIScreen {
public:
    GAME_CUIInventory() : GAME_CUIScreen(UIInputRule::kBlocksWhileOpen, false) {}

    // Reset to 0 whenever the screen is opened for a room.
    std::uint32_t subMode = 0;
};
