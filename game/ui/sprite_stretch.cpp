// Draw parameters that stretch the plain middle of a sprite over a rectangle, for fills drawn from a bordered picture.
#include "game/ui/sprite_stretch.h"

#include "game/ui/ui_draw.h"

bool StretchUISpriteMiddle(std::int32_t sprite, vesk::math::Vec2 size, vesk::graphics::DrawParam& param)
{
    const vesk::math::Vec2 whole = UISpriteSize(sprite);
    if (whole.x <= 0.0f || whole.y <= 0.0f) return false;
    vesk::graphics::InitDrawParam(param);
    param.u0 = param.v0 = 0.25f;
    param.u1 = param.v1 = 0.75f;
    param.scaleX = size.x / (whole.x * 0.5f);
    param.scaleY = size.y / (whole.y * 0.5f);
    return true;
}
