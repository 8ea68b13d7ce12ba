// The engine-room screen (slot 18): for now a screen that only opens and closes.
#pragma once

#include "game/ui/ui_screen.h"

class GAME_CUIEngineRoom : public GAME_CUIScreen {
public:
    GAME_CUIEngineRoom() : GAME_CUIScreen(UIInputRule::kBlocksWhileOpen, false) {}
};
