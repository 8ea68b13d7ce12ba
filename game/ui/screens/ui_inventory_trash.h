// The inventory trash screen (slot 32): for now a screen that only opens and closes.
#pragma once

#include "game/ui/ui_screen.h"

class GAME_CUIInventoryTrash : public GAME_CUIScreen {
public:
    GAME_CUIInventoryTrash() : GAME_CUIScreen(UIInputRule::kBlocksWhileOpen, false) {}
};
