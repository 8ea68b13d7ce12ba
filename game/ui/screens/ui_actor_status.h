// The crew status screen (slot 13): for now a screen that opens and closes on a crew member or an item.
#pragma once

#include "game/ui/ui_screen.h"

class GAME_CObjectActor;
class GAME_CObjectItem;

class GAME_CUIActorStatus : public GAME_CUIScreen {
public:
    GAME_CUIActorStatus() : GAME_CUIScreen(UIInputRule::kBlocksWhileOpen, true) {}

    // The HUD sets one of them before it opens the screen.
    GAME_CObjectActor* targetActor = nullptr;
    GAME_CObjectItem* targetItem = nullptr;
};
