// The draw-state switch: turns the 2D renderer to text drawing or to UI sprites where a draw list changes kind.
#pragma once

#include <cstdint>

#include "game/ui/widgets/ui_placed_object.h"

struct UICategoryChangeObjectDesc {
    std::int32_t category;  // 0 text and default states, 1 UI sprites, 2 or more no switch
    std::int32_t flushAndResetText;
    std::int32_t flush;
};
UICategoryChangeObjectDesc* InitUICategoryChangeObjectDesc(UICategoryChangeObjectDesc* desc);

class GAME_CUICategoryChangeObject : public GAME_CUIPlacedObject {
public:
    explicit GAME_CUICategoryChangeObject(const UICategoryChangeObjectDesc* desc = nullptr);

    void Draw() override;

private:
    UICategoryChangeObjectDesc desc_{};
};

// A shown switch of a category (the draw lists of the screens hold these); with flush, the sprites
// queued so far are drawn first; with resetText, the text style goes back to its default too.
GAME_CUICategoryChangeObject* MakeUICategorySwitch(std::int32_t category, bool flush = false, bool resetText = false);
