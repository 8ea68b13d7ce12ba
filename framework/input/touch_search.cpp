// Searches of a touch list by rectangle and by radius.
#include "framework/input/touch_search.h"

namespace vesk::input {

TouchPoint* FindObjectInRect(const TouchList& points, const math::Vec2& min, const math::Vec2& max)
{
    for (TouchPoint* point : points) {
        if (point == nullptr) {
            continue;
        }
        const float x = point->x;
        const float y = point->y;
        if (x >= min.x && x <= max.x && y >= min.y && y <= max.y) {
            return point;
        }
    }
    return nullptr;
}

TouchPoint* FindObjectInRadius(const TouchList& points, const math::Vec2& centre, float radius)
{
    for (TouchPoint* point : points) {
        if (point == nullptr) {
            continue;
        }
        const float dx = static_cast<float>(point->x) - centre.x;
        const float dy = static_cast<float>(point->y) - centre.y;
        if (dx * dx + dy * dy <= radius * radius) {
            return point;
        }
    }
    return nullptr;
}

}  // namespace vesk::input
