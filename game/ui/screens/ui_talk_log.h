// The talk log screen (slot 35): for now a screen that only opens and closes.
#pragma once

#include "game/ui/ui_screen.h"

class GAME_CUITalkLog : public GAME_CUIScreen {
public:
    GAME_CUITalkLog() : GAME_CUIScreen(UIInputRule::kBlocksWhileOpen, false) {}
};
