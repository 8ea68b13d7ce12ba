// The hideout menu screen (slot 7): not built yet, a stand-in that closes on cancel or a pointer press.
#pragma once

#include "game/ui/unbuilt_screen.h"

class GAME_CUIAjitoMenu : public GAME_CUIUnbuiltScreen, public UIScreenSlot<kSlotAjitoMenu> {
public:
    GAME_CUIAjitoMenu() : GAME_CUIUnbuiltScreen() {}
};
