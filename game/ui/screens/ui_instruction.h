// The instructions screen (slot 41): not built yet, a stand-in that closes on cancel or a pointer press.
#pragma once

#include "game/ui/unbuilt_screen.h"

class GAME_CUIInstruction : public GAME_CUIUnbuiltScreen, public UIScreenSlot<kSlotInstruction> {
public:
    GAME_CUIInstruction() : GAME_CUIUnbuiltScreen() {}
};
