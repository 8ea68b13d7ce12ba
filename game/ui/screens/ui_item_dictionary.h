// The item dictionary screen (slot 31): for now a screen that only opens and closes.
#pragma once

#include "game/ui/ui_screen.h"

class GAME_CUIItemDictionary : public GAME_CUIScreen {
public:
    GAME_CUIItemDictionary() : GAME_CUIScreen(UIInputRule::kBlocksWhileOpen, false) {}
};
