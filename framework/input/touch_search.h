// The first touch point inside a rectangle or a circle.
#pragma once

#include "framework/input/touch_point.h"
#include "framework/math/vector.h"

namespace vesk::input {

// The first point whose current position lies in [min, max] (edges included), else null.
TouchPoint* FindObjectInRect(const TouchList& points, const math::Vec2& min, const math::Vec2& max);

// The first point whose current position lies within radius of centre, else null.
TouchPoint* FindObjectInRadius(const TouchList& points, const math::Vec2& centre, float radius);

}  // namespace vesk::input
