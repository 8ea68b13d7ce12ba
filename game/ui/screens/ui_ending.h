// The ending screen (slot 46): not built yet, a stand-in that closes on cancel or a pointer press.
#pragma once

#include "game/ui/unbuilt_screen.h"

class GAME_CUIEnding : public GAME_CUIUnbuiltScreen, public UIScreenSlot<kSlotEnding> {
public:
    GAME_CUIEnding() : GAME_CUIUnbuiltScreen() {}
};
