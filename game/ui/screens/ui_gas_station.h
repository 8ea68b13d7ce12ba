// The gas station screen (slot 11): for now a screen that only opens and closes.
#pragma once

#include "game/ui/ui_screen.h"

class GAME_CUIGasStation : public GAME_CUIScreen {
public:
    GAME_CUIGasStation() : GAME_CUIScreen(UIInputRule::kBlocksWhileOpen, false) {}
};
