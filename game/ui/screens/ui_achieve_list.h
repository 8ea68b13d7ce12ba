// The achievement list screen (slot 43): for now a screen that only opens and closes.
#pragma once

#include "game/ui/ui_screen.h"

class GAME_CUIAchieveList : public GAME_CUIScreen {
public:
    GAME_CUIAchieveList() : GAME_CUIScreen(UIInputRule::kBlocksWhileOpen, false) {}
};
