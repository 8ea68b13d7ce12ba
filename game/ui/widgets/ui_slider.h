// The slider: a knob over a horizontal bar for a stepped value.
#pragma once

#include <cstdint>

#include "game/ui/widgets/ui_placed_object.h"

struct UISliderDesc {
    float positionX, positionY;
    std::int32_t maximum;
    float lengthFactor;
    std::int32_t disabled;
};
UISliderDesc* InitUISliderDesc(UISliderDesc* desc);

// Its screens read and write the value, maximum and step directly. Decided: the value was touched this frame.
class GAME_CUISlider : public GAME_CUIPlacedObject {
public:
    explicit GAME_CUISlider(const UISliderDesc* desc = nullptr);

    void Update(bool input) override;
    void Draw() override;

    std::int32_t maximum = 0;
    std::int32_t value = 0;
    std::int32_t step = 1;
    std::uint32_t disabled = 0;

private:
    float lengthFactor_ = 1.0f;
    std::uint32_t dragging_ = 0;
    std::int32_t knob_ = -1;
    std::int32_t bar_ = -1;
};
