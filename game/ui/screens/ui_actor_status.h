// The crew status screen (slot 13): not built yet, a stand-in that closes on cancel or a pointer press.
#pragma once

#include "game/ui/unbuilt_screen.h"

class GAME_CObjectActor;
class GAME_CObjectItem;

class GAME_CUIActorStatus : public GAME_CUIUnbuiltScreen, public UIScreenSlot<kSlotActorStatus> {
public:
    GAME_CUIActorStatus() : GAME_CUIUnbuiltScreen(true) {}

    // The HUD sets one of them before it opens the screen.
    GAME_CObjectActor* targetActor = nullptr;
    GAME_CObjectItem* targetItem = nullptr;
};
