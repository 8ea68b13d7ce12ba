// The plain widget: a node with an optional sprite, used for roots, groups and static pictures.
#pragma once

#include <cstdint>

#include "game/ui/widgets/ui_placed_object.h"

struct UINullObjectDesc : UIPlacement {
    float textureLeft, textureTop, textureRight, textureBottom;
    std::uint32_t color;
    std::int32_t sprite;
    float rotation;
    std::int32_t flipX, flipY;
};
UINullObjectDesc* InitUINullObjectDesc(UINullObjectDesc* desc);

// Reports visible while it has a sprite; draws nothing while its colour's alpha is 0. Roots and groups
// are given sprite 0 with alpha 0: visible, so their children draw, and invisible themselves.
class GAME_CUINullObject : public GAME_CUIPlacedObject {
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

private:
    float texture_[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    std::uint32_t color_ = 0xFFFFFFFFu;
    std::int32_t sprite_ = -1;
    std::int32_t flipX_ = 0;
    std::int32_t flipY_ = 0;
};

// A group or root node: sprite 0 with a transparent colour (visible, draws nothing).
GAME_CUINullObject* MakeUIGroupNode(float x, float y);
// A picture of a named UI sprite at a position.
GAME_CUINullObject* MakeUIPicture(const char* spriteName, float x, float y);
