// The pub screen (slot 8): for now a screen that only opens and closes.
#pragma once

#include "game/ui/ui_screen.h"

class GAME_CUIPub : public GAME_CUIScreen {
public:
    GAME_CUIPub() : GAME_CUIScreen(UIInputRule::kBlocksWhileOpen, false) {}
};
