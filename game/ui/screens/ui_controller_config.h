// The controller configuration screen (slot 39): for now a screen that only opens and closes.
#pragma once

#include "game/ui/ui_screen.h"

class GAME_CUIControllerConfig : public GAME_CUIScreen {
public:
    GAME_CUIControllerConfig() : GAME_CUIScreen(UIInputRule::kBlocksWhileOpen, false) {}
};
