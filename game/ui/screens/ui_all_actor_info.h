// The all-crew list screen (slot 29): not built yet, a stand-in that closes on cancel or a pointer press.
#pragma once

#include "game/ui/unbuilt_screen.h"

class GAME_CUIAllActorInfo : public GAME_CUIUnbuiltScreen, public UIScreenSlot<kSlotAllActorInfo> {
public:
    GAME_CUIAllActorInfo() : GAME_CUIUnbuiltScreen() {}
};
