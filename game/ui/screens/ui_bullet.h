// The ammunition screen (slot 15): for now a screen that only opens and closes.
#pragma once

#include "game/ui/ui_screen.h"

class GAME_CUIBullet : public GAME_CUIScreen {
public:
    GAME_CUIBullet() : GAME_CUIScreen(UIInputRule::kBlocksWhileOpen, false) {}
};
