// The hideout root screen (slot 6): for now a screen that only opens and closes.
#pragma once

#include "game/ui/ui_screen.h"

class GAME_CUIAjitoRoot : public GAME_CUIScreen, public UIScreenSlot<kSlotAjitoRoot> {
public:
    GAME_CUIAjitoRoot() : GAME_CUIScreen(UIInputRule::kAlwaysPasses, true) {}
};
