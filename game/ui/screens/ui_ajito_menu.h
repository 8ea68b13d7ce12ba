// The hideout menu screen (slot 7): for now a screen that only opens and closes.
#pragma once

#include "game/ui/ui_screen.h"

class GAME_CUIAjitoMenu : public GAME_CUIScreen {
public:
    GAME_CUIAjitoMenu() : GAME_CUIScreen(UIInputRule::kBlocksWhileOpen, false) {}
};
