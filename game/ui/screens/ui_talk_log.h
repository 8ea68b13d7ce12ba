// The talk log screen (slot 35): for now a menu screen that opens, closes on cancel and goes back where it came from.
#pragma once

#include "game/ui/ui_menu_screen.h"

class GAME_CUITalkLog : public GAME_CUIMenuScreen, public UIScreenSlot<kSlotTalkLog> {
public:
    GAME_CUITalkLog() : GAME_CUIMenuScreen(true) {}
};
