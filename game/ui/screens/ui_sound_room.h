// The sound room screen (slot 44): for now a screen that only opens and closes.
#pragma once

#include "game/ui/ui_screen.h"

class GAME_CUISoundRoom : public GAME_CUIScreen {
public:
    GAME_CUISoundRoom() : GAME_CUIScreen(UIInputRule::kBlocksWhileOpen, false) {}
};
