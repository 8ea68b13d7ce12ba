// The current-quest screen (slot 27): for now a screen that only opens and closes.
#pragma once

#include <cstdint>

#include "game/ui/ui_screen.h"

class GAME_CUICurrentQuest : public GAME_CUIScreen {
public:
    GAME_CUICurrentQuest() : GAME_CUIScreen(UIInputRule::kBlocksWhileOpen, false) {}

    // Set by the HUD's quest-list button.
    std::uint32_t openedFromHud = 0;
};
