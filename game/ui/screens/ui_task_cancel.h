// The task-cancel screen (slot 23): for now a screen that opens and closes on one task.
#pragma once

#include "game/ui/ui_screen.h"

class GAME_CTaskBase;

class GAME_CUITaskCancel : public GAME_CUIScreen {
public:
    GAME_CUITaskCancel() : GAME_CUIScreen(UIInputRule::kBlocksWhileOpen, false) {}

    GAME_CTaskBase* task = nullptr;
};
