// The add-task screen (slot 22): for now a screen that opens and closes for a room, with its preset.
#pragma once

#include <cstdint>

#include "game/ui/ui_screen.h"

class GAME_CUIAddTask : public GAME_CUIScreen {
public:
    GAME_CUIAddTask() : GAME_CUIScreen(UIInputRule::kNeverPasses, false) {}

    // The task a room screen's tab offers ready-made (0: none).
    std::uint32_t preset = 0;
};
