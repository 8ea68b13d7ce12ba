// The crew birth screen (slot 42): for now a screen that only opens and closes.
#pragma once

#include "game/ui/ui_screen.h"

class GAME_CUIActorBirth : public GAME_CUIScreen {
public:
    GAME_CUIActorBirth() : GAME_CUIScreen(UIInputRule::kBlocksWhileOpen, false) {}
};
