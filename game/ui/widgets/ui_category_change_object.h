// The draw-state switch: turns the 2D renderer to text drawing or to UI sprites where a draw list changes kind.
#pragma once

#include <cstdint>

#include "game/ui/widgets/ui_placed_object.h"

class GAME_CUICategoryChangeObject : public GAME_CUIPlacedObject {
public:
    // category: 0 text and default states, 1 UI sprites, 2 or more no switch. With flush, the sprites
    // queued so far are drawn first; with resetText, the text style goes back to its default too.
    GAME_CUICategoryChangeObject(std::int32_t category, bool flush, bool resetText);

    void Draw() override;

private:
    std::int32_t category_;
    bool flush_;
    bool resetText_;
};

// A shown switch of a category (the draw lists of the screens hold these), as the constructor's.
GAME_CUICategoryChangeObject* MakeUICategorySwitch(std::int32_t category, bool flush = false, bool resetText = false);
