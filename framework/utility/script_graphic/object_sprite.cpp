// A sprite object's sprite, looked up in the registry, and its draw.
#include "framework/utility/script_graphic/object_sprite.h"

#include "framework/draw/sprite_draw.h"
#include "framework/graphics/device_record.h"
#include "framework/graphics/sprite_registry.h"

namespace vesk::utility::script_graphic {

void UTL_CObjectSprite::Reset()
{
    UTL_CObjectBase::Reset();
    hasSprite_ = false;
    group_ = kNoGroup;
    index_ = -1;
}

bool UTL_CObjectSprite::SetSprite(std::int32_t group, std::int32_t index)
{
    resource::SYS_CTexture* sprite = resource::GetSpriteAt(group, index);
    if (sprite == nullptr) {
        return false;
    }
    hasSprite_ = true;
    group_ = group;
    index_ = index;
    origin = {static_cast<float>(sprite->GetWidth()) * 0.5f, static_cast<float>(sprite->GetHeight()) * 0.5f};
    return true;
}

resource::SYS_CTexture* UTL_CObjectSprite::GetSprite() const
{
    return hasSprite_ ? resource::GetSpriteAt(group_, index_) : nullptr;
}

void UTL_CObjectSprite::Draw(bool continues)
{
    graphics::DeviceRecord* record = graphics::GetDeviceRecord();
    const resource::SYS_CTexture* sprite = GetSprite();
    if (sprite != nullptr && record != nullptr) {
        graphics::BeginSpriteDraw(group_, static_cast<int>(world.blendMode));
        graphics::DrawParam& param = record->textureRenderer.drawParam;
        // Nothing of an earlier draw (a texture sub-rectangle, say) carries over.
        graphics::InitDrawParam(param);
        param.scaleX = world.scale.x;
        param.scaleY = world.scale.y;
        param.color = math::ColorToWord(world.color);
        param.angle = world.rotation;
        // The pivot is a fraction of the sprite's size; an empty sprite has none.
        const float width = static_cast<float>(sprite->GetWidth());
        const float height = static_cast<float>(sprite->GetHeight());
        param.pivotX = width > 0.0f ? origin.x / width : 0.0f;
        param.pivotY = height > 0.0f ? origin.y / height : 0.0f;
        param.flipX = static_cast<std::int32_t>(world.flipX);
        param.flipY = static_cast<std::int32_t>(world.flipY);
        graphics::DrawSprite({world.position.x + local.offset.x, world.position.y + local.offset.y}, index_);
    }
    if (!continues) {
        graphics::EndSpriteDraw();
    }
}

}  // namespace vesk::utility::script_graphic
