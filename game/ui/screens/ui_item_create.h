// The item-creation screen (slot 17): for now a screen that only opens and closes.
#pragma once

#include "game/ui/ui_screen.h"

class GAME_CUIItemCreate : public GAME_CUIScreen {
public:
    GAME_CUIItemCreate() : GAME_CUIScreen(UIInputRule::kBlocksWhileOpen, false) {}
};
