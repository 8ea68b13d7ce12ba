// Draw parameters that stretch the plain middle of a sprite over a rectangle, for fills drawn from a bordered picture.
#pragma once

#include <cstdint>

#include "framework/graphics/polygon_render.h"
#include "framework/math/vector.h"

// The middle half of the sprite (a quarter in from each edge) drawn `size` canvas units large; false,
// with nothing to draw, when the sprite has no size.
bool StretchUISpriteMiddle(std::int32_t sprite, vesk::math::Vec2 size, vesk::graphics::DrawParam& param);
