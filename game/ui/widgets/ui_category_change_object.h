// The draw-state switch: turns the 2D renderer to text drawing or to UI sprites where a draw list changes kind.
#pragma once

#include <cstdint>

#include "game/ui/widgets/ui_object_base.h"

struct UICategoryChangeObjectDesc {
    std::int32_t category;  // 0 text and default states, 1 UI sprites, 2 or more no switch
    std::int32_t flushAndResetText;
    std::int32_t flush;
};
UICategoryChangeObjectDesc* InitUICategoryChangeObjectDesc(UICategoryChangeObjectDesc* desc);

class GAME_CUICategoryChangeObject : public GAME_CUIObjectBase {
public:
    explicit GAME_CUICategoryChangeObject(const UICategoryChangeObjectDesc* desc = nullptr);

    void Draw() override;
    bool IsVisible() const override { return visible_ != 0; }
    void SetVisible(bool visible) override { visible_ = visible ? 1 : 0; }
    const vesk::math::Vec2* GetPosition() const override { return &kZero; }
    const vesk::math::Vec2* GetPivot() const override { return &kZero; }
    const vesk::math::Vec2* GetScale() const override { return &kOne; }
    const vesk::math::Vec2* GetSize() const override { return &kZero; }
    float GetRotation() const override { return 0.0f; }

private:
    UICategoryChangeObjectDesc desc_{};
    std::uint32_t visible_ = 0;
};

// A shown switch of a category (the draw lists of the screens hold these); with flush, the sprites
// queued so far are drawn first.
GAME_CUICategoryChangeObject* MakeUICategorySwitch(std::int32_t category, bool flush = false);
