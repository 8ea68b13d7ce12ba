// The hospital screen (slot 16): not built yet, a stand-in that closes on cancel or a pointer press.
#pragma once

#include "game/ui/unbuilt_screen.h"

class GAME_CUIHospital : public GAME_CUIUnbuiltScreen, public UIScreenSlot<kSlotHospital> {
public:
    GAME_CUIHospital() : GAME_CUIUnbuiltScreen() {}
};
