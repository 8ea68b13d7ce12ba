// The game-over screen (slot 36): for now a screen that opens and closes, keeping its cause and losses.
#pragma once

#include <cstdint>
#include <vector>

#include "game/ui/fixed_string.h"
#include "game/ui/ui_screen.h"

// One loss the game-over screen lists.
struct UIGameOverLoss {
    std::int32_t kind = 0;
    UTL_CFixedWString<32> name;
    std::int32_t gridX = 0;
    std::int32_t gridY = 0;
    std::int32_t amount = 0;
};

class GAME_CUIGameOver : public GAME_CUIScreen {
public:
    GAME_CUIGameOver() : GAME_CUIScreen(UIInputRule::kBlocksWhileOpen, false) {}

    std::uint32_t cause = 0;
    std::vector<UIGameOverLoss> losses;
};
