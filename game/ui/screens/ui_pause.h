// The pause menu screen (slot 33): for now a screen that only opens and closes.
#pragma once

#include "game/ui/ui_screen.h"

class GAME_CUIPause : public GAME_CUIScreen {
public:
    GAME_CUIPause() : GAME_CUIScreen(UIInputRule::kNeverPasses, false) {}
};
