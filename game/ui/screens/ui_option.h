// The options screen (slot 38): for now a screen that only opens and closes.
#pragma once

#include "game/ui/ui_screen.h"

class GAME_CUIOption : public GAME_CUIScreen {
public:
    GAME_CUIOption() : GAME_CUIScreen(UIInputRule::kBlocksWhileOpen, false) {}
};
