// The keyboard configuration screen (slot 40): not built yet, a stand-in that closes on cancel or a pointer press.
#pragma once

#include "game/ui/unbuilt_screen.h"

class GAME_CUIKeyboardConfig : public GAME_CUIUnbuiltScreen, public UIScreenSlot<kSlotKeyboardConfig> {
public:
    GAME_CUIKeyboardConfig() : GAME_CUIUnbuiltScreen() {}
};
