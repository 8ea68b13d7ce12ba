// The dining-hall screen (slot 14): for now a screen that only opens and closes.
#pragma once

#include "game/ui/ui_screen.h"

class GAME_CUIDiningHall : public GAME_CUIScreen {
public:
    GAME_CUIDiningHall() : GAME_CUIScreen(UIInputRule::kBlocksWhileOpen, false) {}
};
