// The ending screen (slot 46): for now a screen that only opens and closes.
#pragma once

#include "game/ui/ui_screen.h"

class GAME_CUIEnding : public GAME_CUIScreen {
public:
    GAME_CUIEnding() : GAME_CUIScreen(UIInputRule::kBlocksWhileOpen, false) {}
};
