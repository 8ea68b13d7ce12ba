// The shop screen (slot 10): for now a screen that only opens and closes.
#pragma once

#include "game/ui/ui_screen.h"

class GAME_CUIShop : public GAME_CUIScreen {
public:
    GAME_CUIShop() : GAME_CUIScreen(UIInputRule::kBlocksWhileOpen, false) {}
};
