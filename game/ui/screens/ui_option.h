// The options screen (slot 38): for now a menu screen that opens, closes on cancel and goes back where it came from.
#pragma once

#include "game/ui/ui_menu_screen.h"

class GAME_CUIOption : public GAME_CUIMenuScreen, public UIScreenSlot<kSlotOption> {
public:
    GAME_CUIOption() : GAME_CUIMenuScreen(true) {}
};
