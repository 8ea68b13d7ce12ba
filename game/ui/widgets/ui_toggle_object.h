// The toggle: a two-state switch flipped by a click.
#pragma once

#include <cstdint>

#include "game/ui/widgets/ui_object_base.h"

struct UIToggleObjectDesc {
    float positionX, positionY;
    float pivotX, pivotY;
    float width, height;
    float scaleX, scaleY;
    std::int32_t unusedA;
    std::int32_t unusedB;
};
UIToggleObjectDesc* InitUIToggleObjectDesc(UIToggleObjectDesc* desc);

class GAME_CUIToggleObject : public GAME_CUIObjectBase {
public:
    explicit GAME_CUIToggleObject(const UIToggleObjectDesc* desc = nullptr);

    void Update(bool input) override;
    void Draw() override;
    // The value flipped this frame.
    bool IsDecided() const override { return decided_ != 0; }
    bool IsBusy() const override { return IsDecided(); }
    bool IsVisible() const override { return visible_ != 0; }
    void SetVisible(bool visible) override { visible_ = visible ? 1 : 0; }
    const vesk::math::Vec2* GetPosition() const override { return &position_; }
    const vesk::math::Vec2* GetPivot() const override { return &pivot_; }
    const vesk::math::Vec2* GetScale() const override { return &scale_; }
    const vesk::math::Vec2* GetSize() const override { return &size_; }
    float GetRotation() const override { return 0.0f; }
    void SetPosition(const vesk::math::Vec2* position) override { position_ = *position; }
    void SetPivot(const vesk::math::Vec2* pivot) override { pivot_ = *pivot; }
    void SetScale(const vesk::math::Vec2* scale) override { scale_ = *scale; }
    void SetSize(const vesk::math::Vec2* size) override { size_ = *size; }

    std::int32_t value = 0;

private:
    std::int32_t Background() const { return value == 0 ? bgOn_ : bgOff_; }

    vesk::math::Vec2 position_{};
    vesk::math::Vec2 pivot_{};
    vesk::math::Vec2 size_{};
    vesk::math::Vec2 scale_{1.0f, 1.0f};
    std::uint32_t visible_ = 0;
    std::uint32_t decided_ = 0;
    std::int32_t bgOff_ = -1;
    std::int32_t bgOn_ = -1;
    std::int32_t button_ = -1;
    std::int32_t textOn_ = -1;
    std::int32_t textOff_ = -1;
};
