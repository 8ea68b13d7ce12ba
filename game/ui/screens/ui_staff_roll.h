// The staff roll screen (slot 47): not built yet, a stand-in that closes on cancel or a pointer press.
#pragma once

#include "game/ui/unbuilt_screen.h"

class GAME_CUIStaffRoll : public GAME_CUIUnbuiltScreen, public UIScreenSlot<kSlotStaffRoll> {
public:
    GAME_CUIStaffRoll() : GAME_CUIUnbuiltScreen() {}
};
