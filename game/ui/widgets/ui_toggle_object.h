// The toggle: a two-state switch flipped by a click.
#pragma once

#include <cstdint>

#include "game/ui/widgets/ui_placed_object.h"

struct UIToggleObjectDesc : UIPlacement {
    float width, height;
};
UIToggleObjectDesc* InitUIToggleObjectDesc(UIToggleObjectDesc* desc);

class GAME_CUIToggleObject : public GAME_CUIPlacedObject {
public:
    explicit GAME_CUIToggleObject(const UIToggleObjectDesc* desc = nullptr);

    void Update(bool input) override;
    void Draw() override;
    // Busy while decided: the value flipped this frame.
    bool IsBusy() const override { return IsDecided(); }

    std::int32_t value = 0;

private:
    std::int32_t Background() const { return value == 0 ? bgOn_ : bgOff_; }

    std::int32_t bgOff_ = -1;
    std::int32_t bgOn_ = -1;
    std::int32_t button_ = -1;
    std::int32_t textOn_ = -1;
    std::int32_t textOff_ = -1;
};
