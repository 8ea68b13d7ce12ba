// The stock line of a room screen's first page: the count／capacity label and its gauge, written only when the figures change.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/math/vector.h"
#include "game/ui/widget_builders.h"

class UIRoomStock {
public:
    // The gauge: a node at `at` holding the frame and the fill (the centre of fillSprite), 110 by 6 units when full.
    void BuildGauge(std::vector<GAME_CUIObjectBase*>& list, GAME_CUIObjectBase* parent, vesk::math::Vec2 at, const char* fillSprite);
    // The label, built apart from the gauge since it is drawn with the page's texts.
    void BuildLabel(std::vector<GAME_CUIObjectBase*>& list, GAME_CUIObjectBase* parent, vesk::math::Vec2 at);

    // The figures of this frame (present false: nothing stored, the label empty and the gauge empty).
    void Show(bool present, std::int64_t count, std::int64_t capacity);
    // Empties the label and the gauge now; the next Show writes them again.
    void Clear();
    // The next Show writes the label and the gauge even when the figures are the same.
    void Forget();

    const GAME_CUILabelObject* Label() const { return label_; }

private:
    GAME_CUILabelObject* label_ = nullptr;
    UIGaugeFill fill_;
    std::int64_t shownCount_ = -1;
    std::int64_t shownCapacity_ = -1;
};
