// The quest board screen (slot 9): not built yet, a stand-in that closes on cancel or a pointer press.
#pragma once

#include "game/ui/unbuilt_screen.h"

class GAME_CUIQuestBoard : public GAME_CUIUnbuiltScreen, public UIScreenSlot<kSlotQuestBoard> {
public:
    GAME_CUIQuestBoard() : GAME_CUIUnbuiltScreen() {}
};
