// The sound room screen (slot 44): for now a menu screen that opens, closes on cancel and goes back where it came from.
#pragma once

#include "game/ui/ui_menu_screen.h"

class GAME_CUISoundRoom : public GAME_CUIMenuScreen, public UIScreenSlot<kSlotSoundRoom> {
public:
    GAME_CUISoundRoom() : GAME_CUIMenuScreen(false) {}
};
