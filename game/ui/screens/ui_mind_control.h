// The mind-control screen (slot 20): not built yet, a stand-in that closes on cancel or a pointer press.
#pragma once

#include "game/ui/unbuilt_screen.h"

class GAME_CUIMindControl : public GAME_CUIUnbuiltScreen, public UIScreenSlot<kSlotMindControl> {
public:
    GAME_CUIMindControl() : GAME_CUIUnbuiltScreen() {}
};
