// A list's cursor: the holder that stands at the cursor's row, the highlight over the row, and the arrow before it that bobs.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/math/vector.h"

class GAME_CUIObjectBase;
class GAME_CUINullObject;

struct UIListCursorLayout {
    // The holder under its parent.
    vesk::math::Vec2 at{0.0f, 0.0f};
    const char* highlightSprite = "ui_select_highlight_big";
    vesk::math::Vec2 highlightAt{17.0f, -1.0f};
    // The arrow's place at rest, in the holder.
    vesk::math::Vec2 arrowAt{0.0f, -1.0f};
};

// The arrow stands one unit right of its rest for the second half of every 16 frames.
class UIListCursor {
public:
    static constexpr std::uint32_t kBobFrames = 16;

    // The holder, the highlight and the arrow, in that order into the draw list.
    void Build(std::vector<GAME_CUIObjectBase*>& list, GAME_CUIObjectBase* parent, const UIListCursorLayout& layout);
    void Restart() { frame_ = 0; }
    // Counts a frame of the bob.
    void Tick() { frame_ = (frame_ + 1) % kBobFrames; }
    // How far the bob moves the arrow now: 0 or 1.
    float Bob() const { return static_cast<float>(frame_ / (kBobFrames / 2)); }
    // The arrow at its rest place moved by the bob.
    void PlaceArrow() const;

    GAME_CUINullObject* holder = nullptr;
    GAME_CUINullObject* highlight = nullptr;
    GAME_CUINullObject* arrow = nullptr;

private:
    vesk::math::Vec2 arrowAt_{0.0f, -1.0f};
    std::uint32_t frame_ = 0;
};
