// The room crew screen (slot 28): not built yet, a stand-in that closes on cancel or a pointer press.
#pragma once

#include "game/ui/unbuilt_screen.h"

class GAME_CObjectActor;

class GAME_CUIRoomActorInfo : public GAME_CUIUnbuiltScreen, public UIScreenSlot<kSlotRoomActorInfo> {
public:
    GAME_CUIRoomActorInfo() : GAME_CUIUnbuiltScreen() {}

    // The crew member chosen in a room's crew panel (a pointer does not fit the 32-bit target detail).
    GAME_CObjectActor* targetActor = nullptr;
};
