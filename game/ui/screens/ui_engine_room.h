// The engine-room screen (slot 18): not built yet, a stand-in that closes on cancel or a pointer press.
#pragma once

#include "game/ui/unbuilt_screen.h"

class GAME_CUIEngineRoom : public GAME_CUIUnbuiltScreen, public UIScreenSlot<kSlotEngineRoom> {
public:
    GAME_CUIEngineRoom() : GAME_CUIUnbuiltScreen() {}
};
