// The achievement list screen (slot 43): for now a menu screen that opens, closes on cancel and goes back where it came from.
#pragma once

#include "game/ui/ui_menu_screen.h"

class GAME_CUIAchieveList : public GAME_CUIMenuScreen, public UIScreenSlot<kSlotAchieveList> {
public:
    GAME_CUIAchieveList() : GAME_CUIMenuScreen(true) {}
};
