// The save-slot screen (slot 45): for now a screen that only opens and closes.
#pragma once

#include "game/ui/ui_screen.h"

class GAME_CUISaveSlot : public GAME_CUIScreen {
public:
    GAME_CUISaveSlot() : GAME_CUIScreen(UIInputRule::kBlocksWhileOpen, false) {}
};
