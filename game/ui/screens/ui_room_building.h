// The room-building screen (slot 12): not built yet, a stand-in that closes on cancel or a pointer press.
#pragma once

#include "game/ui/unbuilt_screen.h"

class GAME_CUIRoomBuilding : public GAME_CUIUnbuiltScreen, public UIScreenSlot<kSlotRoomBuilding> {
public:
    GAME_CUIRoomBuilding() : GAME_CUIUnbuiltScreen() {}
};
