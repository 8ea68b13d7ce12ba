// The instructions screen (slot 41): for now a screen that only opens and closes.
#pragma once

#include "game/ui/ui_screen.h"

class GAME_CUIInstruction : public GAME_CUIScreen {
public:
    GAME_CUIInstruction() : GAME_CUIScreen(UIInputRule::kBlocksWhileOpen, false) {}
};
