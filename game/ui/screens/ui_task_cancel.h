// The task-cancel screen (slot 23): not built yet, a stand-in that closes on cancel or a pointer press.
#pragma once

#include "game/ui/unbuilt_screen.h"

class GAME_CTaskBase;

class GAME_CUITaskCancel : public GAME_CUIUnbuiltScreen, public UIScreenSlot<kSlotTaskCancel> {
public:
    GAME_CUITaskCancel() : GAME_CUIUnbuiltScreen() {}

    GAME_CTaskBase* task = nullptr;
};
