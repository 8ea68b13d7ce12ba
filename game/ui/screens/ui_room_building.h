// The room-building screen (slot 12): for now a screen that only opens and closes.
#pragma once

#include "game/ui/ui_screen.h"

class GAME_CUIRoomBuilding : public GAME_CUIScreen {
public:
    GAME_CUIRoomBuilding() : GAME_CUIScreen(UIInputRule::kBlocksWhileOpen, false) {}
};
