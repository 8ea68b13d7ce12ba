// The item-creation screen (slot 17): not built yet, a stand-in that closes on cancel or a pointer press.
#pragma once

#include "game/ui/unbuilt_screen.h"

class GAME_CUIItemCreate : public GAME_CUIUnbuiltScreen, public UIScreenSlot<kSlotItemCreate> {
public:
    GAME_CUIItemCreate() : GAME_CUIUnbuiltScreen() {}
};
