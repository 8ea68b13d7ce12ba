// The title screen (slot 37): for now a screen that only opens and closes.
#pragma once

#include "game/ui/ui_screen.h"

class GAME_CUITitle : public GAME_CUIScreen {
public:
    GAME_CUITitle() : GAME_CUIScreen(UIInputRule::kBlocksWhileOpen, false) {}
};
