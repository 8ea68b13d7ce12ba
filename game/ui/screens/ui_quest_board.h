// The quest board screen (slot 9): for now a screen that only opens and closes.
#pragma once

#include "game/ui/ui_screen.h"

class GAME_CUIQuestBoard : public GAME_CUIScreen {
public:
    GAME_CUIQuestBoard() : GAME_CUIScreen(UIInputRule::kBlocksWhileOpen, false) {}
};
