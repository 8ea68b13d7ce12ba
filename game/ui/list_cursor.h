// A list's cursor: the holder that stands at the cursor's row, the highlight over the row, and the arrow before it that bobs.
#pragma once

#include <vector>

#include "framework/math/vector.h"
#include "game/ui/cursor_blink.h"

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

// The arrow blinks as every list's cursor arrow does: one unit right of its rest for the second half of every 16 frames.
class UIListCursor : public UICursorBlink {
public:
    // The holder, the highlight and the arrow, in that order into the draw list.
    void Build(std::vector<GAME_CUIObjectBase*>& list, GAME_CUIObjectBase* parent, const UIListCursorLayout& layout);
    // The arrow at its rest place moved by the blink.
    void PlaceArrow() const { Place(arrowAt_); }
    // Every frame: a tick of the blink, then the arrow placed.
    void StepArrow()
    {
        Tick();
        PlaceArrow();
    }

    GAME_CUINullObject* holder = nullptr;
    GAME_CUINullObject* highlight = nullptr;

private:
    vesk::math::Vec2 arrowAt_{0.0f, -1.0f};
};
