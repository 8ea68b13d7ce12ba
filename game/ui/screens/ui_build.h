// The build menu screen (slot 4): for now a screen that only opens and closes.
#pragma once

#include "game/ui/ui_screen.h"

class GAME_CUIBuild : public GAME_CUIScreen {
public:
    GAME_CUIBuild() : GAME_CUIScreen(UIInputRule::kBlocksWhileOpen, false) {}
};
