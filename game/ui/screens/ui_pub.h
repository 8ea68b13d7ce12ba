// The pub screen (slot 8): not built yet, a stand-in that closes on cancel or a pointer press.
#pragma once

#include "game/ui/unbuilt_screen.h"

class GAME_CUIPub : public GAME_CUIUnbuiltScreen, public UIScreenSlot<kSlotPub> {
public:
    GAME_CUIPub() : GAME_CUIUnbuiltScreen() {}
};
