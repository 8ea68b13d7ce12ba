// The callback node: puts a screen's own update and draw code into the widget tree and the draw list.
#pragma once

#include <functional>

#include "game/ui/widgets/ui_object_base.h"

// A bound member or any function.
using UIFunction = std::function<void()>;

struct UIFunctionCallObjectDesc {
    UIFunction update;
    UIFunction draw;
};
UIFunctionCallObjectDesc* InitUIFunctionCallObjectDesc(UIFunctionCallObjectDesc* desc);

// Never takes input from the widgets after it; its transform stays the identity, so children sit as
// under a root at the origin.
class GAME_CUIFunctionCallObject : public GAME_CUIObjectBase {
public:
    explicit GAME_CUIFunctionCallObject(const UIFunctionCallObjectDesc* desc = nullptr);

    void Update(bool input) override;
    void Draw() override;
    bool IsVisible() const override { return visible_ != 0; }
    void SetVisible(bool visible) override { visible_ = visible ? 1 : 0; }
    const vesk::math::Vec2* GetPosition() const override { return &kZero; }
    const vesk::math::Vec2* GetPivot() const override { return &kZero; }
    const vesk::math::Vec2* GetScale() const override { return &kOne; }
    const vesk::math::Vec2* GetSize() const override { return &kZero; }
    float GetRotation() const override { return 0.0f; }

private:
    UIFunctionCallObjectDesc desc_{};
    std::uint32_t visible_ = 0;
};
