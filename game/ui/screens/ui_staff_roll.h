// The staff roll screen (slot 47): for now a screen that only opens and closes.
#pragma once

#include "game/ui/ui_screen.h"

class GAME_CUIStaffRoll : public GAME_CUIScreen {
public:
    GAME_CUIStaffRoll() : GAME_CUIScreen(UIInputRule::kBlocksWhileOpen, false) {}
};
