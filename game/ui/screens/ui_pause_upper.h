// The upper pause layer (slot 26): an inert screen that only keeps whether it is open, passing input on.
#pragma once

#include <cstdint>

#include "game/ui/ui_base.h"

// Nothing opens it; the pause menu's return to the game, the return to the title, the title and a
// route command close it. It opens and closes at once, draws nothing and never takes input.
class GAME_CUIPauseUpper : public GAME_CUIBase, public UIScreenSlot<kSlotPauseUpper> {
public:
    bool IsOpen() const override { return open_ != 0; }
    void SetOpen(bool open) override { open_ = open ? 1 : 0; }
    void Update(bool) override {}
    void PreDraw() override {}
    void Draw() override {}
    bool PassesInput() const override { return true; }
    // The pause stands over the view: the view holds still beneath it.
    bool AllowsFieldControl() const override { return false; }

    std::int32_t selection = -1;
    std::uint32_t spare = 0;

private:
    std::uint32_t open_ = 0;
};
