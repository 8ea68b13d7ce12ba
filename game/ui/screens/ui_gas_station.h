// The gas station screen (slot 11): not built yet, a stand-in that closes on cancel or a pointer press.
#pragma once

#include "game/ui/unbuilt_screen.h"

class GAME_CUIGasStation : public GAME_CUIUnbuiltScreen, public UIScreenSlot<kSlotGasStation> {
public:
    GAME_CUIGasStation() : GAME_CUIUnbuiltScreen() {}
};
