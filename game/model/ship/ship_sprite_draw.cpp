// One sprite of the current sprite group drawn with its scale, colour, turn, pivot, flips and sub-rectangle, as the ship's drawing needs.
#include "game/model/ship/ship_sprite_draw.h"

#include <algorithm>

#include "framework/graphics/device_record.h"
#include "framework/draw/sprite_draw.h"

void DrawShipSprite(std::int32_t index, float x, float y, const ShipSpriteLook& look)
{
    vesk::graphics::DeviceRecord* record = vesk::graphics::GetDeviceRecord();
    if (record == nullptr || index < 0) return;
    vesk::graphics::DrawParam& param = record->textureRenderer.drawParam;
    vesk::graphics::InitDrawParam(param);
    param.scaleX = look.scaleX;
    param.scaleY = look.scaleY;
    param.color = look.color;
    param.angle = look.angle;
    param.pivotX = look.pivotX;
    param.pivotY = look.pivotY;
    param.flipX = look.flipX ? 1 : 0;
    param.flipY = look.flipY ? 1 : 0;
    param.u1 = look.u1;
    vesk::graphics::DrawSprite({x, y}, index);
}

std::uint32_t WithAlpha(std::uint32_t color, float factor)
{
    const float alpha = static_cast<float>(color >> 24) * std::clamp(factor, 0.0f, 1.0f);
    return (color & 0x00FFFFFFu) | (static_cast<std::uint32_t>(alpha) << 24);
}
