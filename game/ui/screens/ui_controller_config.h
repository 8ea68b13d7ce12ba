// The controller configuration screen (slot 39): not built yet, a stand-in that closes on cancel or a pointer press.
#pragma once

#include "game/ui/unbuilt_screen.h"

class GAME_CUIControllerConfig : public GAME_CUIUnbuiltScreen, public UIScreenSlot<kSlotControllerConfig> {
public:
    GAME_CUIControllerConfig() : GAME_CUIUnbuiltScreen() {}
};
