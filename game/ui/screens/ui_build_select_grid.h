// The build grid cursor screen (slot 5): for now a screen that only opens and closes.
#pragma once

#include "game/ui/ui_screen.h"

class GAME_CUIBuildSelectGrid : public GAME_CUIScreen {
public:
    GAME_CUIBuildSelectGrid() : GAME_CUIScreen(UIInputRule::kNeverPasses, true) {}
};
