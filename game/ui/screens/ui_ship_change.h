// The ship-change screen (slot 24): not built yet, a stand-in that closes on cancel or a pointer press.
#pragma once

#include <cstdint>

#include "game/ui/unbuilt_screen.h"

class GAME_CUIShipChange : public GAME_CUIUnbuiltScreen, public UIScreenSlot<kSlotShipChange> {
public:
    GAME_CUIShipChange() : GAME_CUIUnbuiltScreen() {}

    std::int32_t value = 0;  // a route script sets it when it opens the screen
};
