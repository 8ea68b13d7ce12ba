// The plain widget: a node with an optional sprite, used for roots, groups and static pictures.
#include "game/ui/widgets/ui_null_object.h"

#include "game/ui/ui_draw.h"

UINullObjectDesc* InitUINullObjectDesc(UINullObjectDesc* desc)
{
    *desc = UINullObjectDesc{kUIPlacementDefaults, 0.0f, 0.0f, 1.0f, 1.0f, 0xFFFFFFFFu, -1, 0.0f, 0, 0};
    return desc;
}

GAME_CUINullObject::GAME_CUINullObject(const UINullObjectDesc* desc)
    : GAME_CUIPlacedObject(kTakesPosition | kTakesPivot | kTakesScale | kTakesRotation)
{
    size_ = {1.0f, 1.0f};
    if (desc != nullptr) {
        Place(*desc);
        texture_[0] = desc->textureLeft;
        texture_[1] = desc->textureTop;
        texture_[2] = desc->textureRight;
        texture_[3] = desc->textureBottom;
        color_ = desc->color;
        sprite_ = desc->sprite;
        rotation_ = desc->rotation;
        flipX_ = desc->flipX;
        flipY_ = desc->flipY;
    }
    if (GetUISprite(sprite_) != nullptr) size_ = UISpriteSize(sprite_);
}

void GAME_CUINullObject::SetSprite(std::int32_t index)
{
    sprite_ = index;
    size_ = index == -1 ? vesk::math::Vec2{0.0f, 0.0f} : UISpriteSize(index);
}

void GAME_CUINullObject::SetTextureRect(float left, float top, float right, float bottom)
{
    texture_[0] = left;
    texture_[1] = top;
    texture_[2] = right;
    texture_[3] = bottom;
}

void GAME_CUINullObject::Draw()
{
    if ((color_ >> 24) == 0 || sprite_ == -1 || !IsParentVisible()) return;
    vesk::graphics::DrawParam param;
    vesk::graphics::InitDrawParam(param);
    const vesk::math::Vec2 scale = WorldScale();
    param.scaleX = scale.x;
    param.scaleY = scale.y;
    param.color = color_;
    param.angle = rotation_;
    param.pivotX = pivot_.x;
    param.pivotY = pivot_.y;
    param.flipX = flipX_;
    param.flipY = flipY_;
    param.u0 = texture_[0];
    param.v0 = texture_[1];
    param.u1 = texture_[2];
    param.v1 = texture_[3];
    DrawUISprite(WorldPosition(), sprite_, param);
}

GAME_CUINullObject* MakeUIGroupNode(float x, float y)
{
    UINullObjectDesc desc;
    InitUINullObjectDesc(&desc);
    desc.positionX = x;
    desc.positionY = y;
    desc.sprite = 0;
    desc.color = 0x00FFFFFFu;
    return new GAME_CUINullObject(&desc);
}

GAME_CUINullObject* MakeUIPicture(const char* spriteName, float x, float y)
{
    UINullObjectDesc desc;
    InitUINullObjectDesc(&desc);
    desc.positionX = x;
    desc.positionY = y;
    desc.sprite = FindUISprite(spriteName);
    return new GAME_CUINullObject(&desc);
}
