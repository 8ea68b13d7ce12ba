// The slider: a knob over a horizontal bar for a stepped value.
#include "game/ui/widgets/ui_slider.h"

#include "game/ui/ui_draw.h"

using vesk::math::Vec2;

namespace {

// How far the knob travels over the bar.
constexpr float kKnobTravel = 87.0f;

}  // namespace

UISliderDesc* InitUISliderDesc(UISliderDesc* desc)
{
    *desc = UISliderDesc{0.0f, 0.0f, 0, 1.0f, 0};
    return desc;
}

GAME_CUISlider::GAME_CUISlider(const UISliderDesc* desc) : GAME_CUIPlacedObject(kTakesPosition | kTakesVisible)
{
    UISliderDesc defaults;
    if (desc == nullptr) desc = InitUISliderDesc(&defaults);
    position_ = {desc->positionX, desc->positionY};
    size_ = {93.0f, 15.0f};
    maximum = desc->maximum;
    lengthFactor_ = desc->lengthFactor;
    disabled = static_cast<std::uint32_t>(desc->disabled);
    knob_ = FindUISprite("ui_map_sliderbar");
    bar_ = FindUISprite("ui_map_sliderbar_bg");
}

void GAME_CUISlider::Update(bool input)
{
    decided_ = 0;
    if (!IsVisible() || !input || disabled != 0) return;
    const Vec2 world = WorldPosition();
    const Vec2 scale = WorldScale();
    if (dragging_ == 0) {
        if (maximum < 1) return;
        if (IsUIClickInRect({world.x - 1.0f, world.y - 1.0f},
                            {world.x + size_.x + 1.0f, world.y + size_.y * scale.y * lengthFactor_ + 1.0f})) {
            // The press itself takes the value under it: a quick click is down for that frame only.
            dragging_ = 1;
            decided_ = 1;
        }
    }
    if (dragging_ == 0) return;
    if (maximum < 1) {
        dragging_ = 0;
        return;
    }
    // A step below 1 would leave no segments to pick from.
    const std::int32_t stepSize = step >= 1 ? step : 1;
    const std::int32_t segments = maximum / stepSize + 1;
    const float length = size_.x * lengthFactor_;
    const float width = length / static_cast<float>(segments);
    for (std::int32_t i = 0; i < segments; ++i) {
        const float left = world.x + width * static_cast<float>(i);
        if (IsUIDownInRect({left, 0.0f}, {left + width, kCanvasHeight})) {
            value = stepSize * i;
            decided_ = 1;
            return;
        }
    }
    if (!IsAnyUIPointerHeld()) dragging_ = 0;
}

void GAME_CUISlider::Draw()
{
    if (!IsVisible()) return;
    const Vec2 world = WorldPosition();
    const float x = static_cast<float>(static_cast<int>(world.x));
    const float y = static_cast<float>(static_cast<int>(world.y));
    DrawUISprite({x, y}, bar_);
    const float knobX = maximum != 0 ? x + (kKnobTravel / static_cast<float>(maximum)) * static_cast<float>(value) : x;
    DrawUISprite({knobX, y - 3.0f}, knob_);
}
