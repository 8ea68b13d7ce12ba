// The room crew screen (slot 28): for now a screen that only opens and closes.
#pragma once

#include "game/ui/ui_screen.h"

class GAME_CUIRoomActorInfo : public GAME_CUIScreen {
public:
    GAME_CUIRoomActorInfo() : GAME_CUIScreen(UIInputRule::kBlocksWhileOpen, false) {}
};
