// The inventory trash screen (slot 32): not built yet, a stand-in that closes on cancel or a pointer press.
#pragma once

#include "game/ui/unbuilt_screen.h"

class GAME_CUIInventoryTrash : public GAME_CUIUnbuiltScreen, public UIScreenSlot<kSlotInventoryTrash> {
public:
    GAME_CUIInventoryTrash() : GAME_CUIUnbuiltScreen() {}
};
