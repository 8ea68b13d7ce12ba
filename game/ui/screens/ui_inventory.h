// The inventory screen (slot 19): not built yet, a stand-in that closes on cancel or a pointer press.
#pragma once

#include <cstdint>

#include "game/ui/unbuilt_screen.h"

class GAME_CUIInventory : public GAME_CUIUnbuiltScreen, public UIScreenSlot<kSlotInventory> {
public:
    GAME_CUIInventory() : GAME_CUIUnbuiltScreen() {}

    // Reset to 0 whenever the screen is opened for a room.
    std::uint32_t subMode = 0;
};
