// The room crew screen (slot 28): for now a screen that opens and closes on a room's crew member.
#pragma once

#include "game/ui/ui_screen.h"

class GAME_CObjectActor;

class GAME_CUIRoomActorInfo : public GAME_CUIScreen {
public:
    GAME_CUIRoomActorInfo() : GAME_CUIScreen(UIInputRule::kBlocksWhileOpen, false) {}

    // The crew member chosen in a room's crew panel (a pointer does not fit the 32-bit target detail).
    GAME_CObjectActor* targetActor = nullptr;
};
