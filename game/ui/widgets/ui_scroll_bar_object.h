// The scroll bar: an integer 0..maximum shown as a framed gauge, changed by the wheel, the menu inputs or a drag.
#pragma once

#include <cstdint>

#include "game/ui/widgets/ui_placed_object.h"

struct UIScrollBarObjectDesc {
    float positionX, positionY;
    float width, height;
    std::int32_t rotated;  // a rotated bar runs horizontally
    std::int32_t maximum;
    float lengthFactor;
    std::int32_t keyboard;
    std::int32_t knob;  // draw the knob instead of a gauge segment
    std::int32_t wheel;
    std::int32_t clamp;  // 0 wraps round at the ends, nonzero clamps
    std::int32_t drawWhenEmpty;
};
UIScrollBarObjectDesc* InitUIScrollBarObjectDesc(UIScrollBarObjectDesc* desc);

// Decided: the value changed this frame through the wheel or the pointer.
class GAME_CUIScrollBarObject : public GAME_CUIPlacedObject {
public:
    explicit GAME_CUIScrollBarObject(const UIScrollBarObjectDesc* desc = nullptr);

    // Negative counts as 0; the value is clamped to the new maximum.
    void SetMaximum(std::int32_t maximum);
    void SetValue(std::int32_t value);
    std::int32_t Maximum() const { return maximum_; }
    std::int32_t Value() const { return value_; }
    bool IsDragging() const { return dragging_ != 0; }
    // Whether the frame shows while there is nothing to scroll.
    void SetDrawWhenEmpty(bool draw) { desc_.drawWhenEmpty = draw ? 1 : 0; }
    bool DrawsWhenEmpty() const { return desc_.drawWhenEmpty != 0; }
    // Whether the wheel moves it (a screen with two bars gives the wheel to the one under the pointer).
    void SetTakesWheel(bool takes) { desc_.wheel = takes ? 1 : 0; }
    bool TakesWheel() const { return desc_.wheel != 0; }
    // The canvas rectangle in which a press takes the bar: 3 units beyond it across, 1 along.
    struct Area {
        vesk::math::Vec2 from;
        vesk::math::Vec2 to;
    };
    Area PickArea();

    void Update(bool input) override;
    void Draw() override;

private:
    std::int32_t Step(std::int32_t value, std::int32_t delta) const;
    void UpdateDrag();
    void DrawFrame(vesk::math::Vec2 origin, float length);

    // The description as given, with what the setters change since; a rotated bar also answers a rotation of 90.
    UIScrollBarObjectDesc desc_{};
    std::int32_t maximum_ = 0;
    std::int32_t value_ = 0;
    std::uint32_t dragging_ = 0;
    std::int32_t frameSide_ = -1;
    std::int32_t frameCenter_ = -1;
    std::int32_t gauge_ = -1;
    std::int32_t slider_ = -1;
};
