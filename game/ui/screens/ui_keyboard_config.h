// The keyboard configuration screen (slot 40): for now a screen that only opens and closes.
#pragma once

#include "game/ui/ui_screen.h"

class GAME_CUIKeyboardConfig : public GAME_CUIScreen {
public:
    GAME_CUIKeyboardConfig() : GAME_CUIScreen(UIInputRule::kBlocksWhileOpen, false) {}
};
