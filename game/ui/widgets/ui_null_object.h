// The plain widget: a node with an optional sprite, used for roots, groups and static pictures.
#pragma once

#include <cstdint>

#include "game/ui/widgets/ui_object_base.h"

struct UINullObjectDesc {
    float positionX, positionY;
    float pivotX, pivotY;
    float scaleX, scaleY;
    float textureLeft, textureTop, textureRight, textureBottom;
    std::uint32_t color;
    std::int32_t sprite;
    float rotation;
    std::int32_t flipX, flipY;
};
UINullObjectDesc* InitUINullObjectDesc(UINullObjectDesc* desc);

// Reports visible while it has a sprite; draws nothing while its colour's alpha is 0. Roots and groups
// are given sprite 0 with alpha 0: visible, so their children draw, and invisible themselves.
class GAME_CUINullObject : public GAME_CUIObjectBase {
public:
    explicit GAME_CUINullObject(const UINullObjectDesc* desc = nullptr);

    void SetSprite(std::int32_t index);
    std::int32_t Sprite() const { return sprite_; }
    void SetColor(std::uint32_t color) { color_ = color; }
    std::uint32_t Color() const { return color_; }
    void SetTextureRect(float left, float top, float right, float bottom);
    void SetFlip(std::int32_t flipX, std::int32_t flipY)
    {
        flipX_ = flipX;
        flipY_ = flipY;
    }

    void Draw() override;
    bool IsVisible() const override { return sprite_ != -1; }
    const vesk::math::Vec2* GetPosition() const override { return &position_; }
    const vesk::math::Vec2* GetPivot() const override { return &pivot_; }
    const vesk::math::Vec2* GetScale() const override { return &scale_; }
    const vesk::math::Vec2* GetSize() const override { return &size_; }
    float GetRotation() const override { return rotation_; }
    void SetPosition(const vesk::math::Vec2* position) override { position_ = *position; }
    void SetPivot(const vesk::math::Vec2* pivot) override { pivot_ = *pivot; }
    void SetScale(const vesk::math::Vec2* scale) override { scale_ = *scale; }
    void SetRotation(float degrees) override { rotation_ = degrees; }

private:
    vesk::math::Vec2 position_{};
    vesk::math::Vec2 pivot_{};
    vesk::math::Vec2 scale_{1.0f, 1.0f};
    vesk::math::Vec2 size_{1.0f, 1.0f};
    float texture_[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    std::uint32_t color_ = 0xFFFFFFFFu;
    std::int32_t sprite_ = -1;
    float rotation_ = 0.0f;
    std::int32_t flipX_ = 0;
    std::int32_t flipY_ = 0;
};

// A group or root node: sprite 0 with a transparent colour (visible, draws nothing).
GAME_CUINullObject* MakeUIGroupNode(float x, float y);
// A picture of a named UI sprite at a position.
GAME_CUINullObject* MakeUIPicture(const char* spriteName, float x, float y);
