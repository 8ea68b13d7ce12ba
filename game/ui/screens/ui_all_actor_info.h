// The all-crew list screen (slot 29): for now a screen that only opens and closes.
#pragma once

#include "game/ui/ui_screen.h"

class GAME_CUIAllActorInfo : public GAME_CUIScreen {
public:
    GAME_CUIAllActorInfo() : GAME_CUIScreen(UIInputRule::kBlocksWhileOpen, false) {}
};
