// The ship-change screen (slot 24): for now a screen that only opens and closes.
#pragma once

#include "game/ui/ui_screen.h"

class GAME_CUIShipChange : public GAME_CUIScreen {
public:
    GAME_CUIShipChange() : GAME_CUIScreen(UIInputRule::kBlocksWhileOpen, false) {}
};
