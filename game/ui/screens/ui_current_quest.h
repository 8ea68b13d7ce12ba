// The current-quest screen (slot 27): not built yet, a stand-in that closes on cancel or a pointer press.
#pragma once

#include <cstdint>

#include "game/ui/unbuilt_screen.h"

class GAME_CUICurrentQuest : public GAME_CUIUnbuiltScreen, public UIScreenSlot<kSlotCurrentQuest> {
public:
    GAME_CUICurrentQuest() : GAME_CUIUnbuiltScreen() {}

    // Set by the HUD's quest-list button.
    std::uint32_t openedFromHud = 0;
};
