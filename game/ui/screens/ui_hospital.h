// The hospital screen (slot 16): for now a screen that only opens and closes.
#pragma once

#include "game/ui/ui_screen.h"

class GAME_CUIHospital : public GAME_CUIScreen {
public:
    GAME_CUIHospital() : GAME_CUIScreen(UIInputRule::kBlocksWhileOpen, false) {}
};
