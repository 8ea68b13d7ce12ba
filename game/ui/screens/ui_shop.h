// The shop screen (slot 10): not built yet, a stand-in that closes on cancel or a pointer press.
#pragma once

#include "game/ui/unbuilt_screen.h"

class GAME_CUIShop : public GAME_CUIUnbuiltScreen, public UIScreenSlot<kSlotShop> {
public:
    GAME_CUIShop() : GAME_CUIUnbuiltScreen() {}
};
