// The mind-control screen (slot 20): for now a screen that only opens and closes.
#pragma once

#include "game/ui/ui_screen.h"

class GAME_CUIMindControl : public GAME_CUIScreen {
public:
    GAME_CUIMindControl() : GAME_CUIScreen(UIInputRule::kBlocksWhileOpen, false) {}
};
