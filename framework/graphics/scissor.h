// The scissor of 2D drawing: a canvas rectangle outside which draws change no pixel.
#pragma once

#include <optional>

#include "framework/graphics/polygon_render.h"

namespace vesk::graphics {

// Canvas units.
struct CanvasRect {
    Vec2f position;
    Vec2f size;
    bool operator==(const CanvasRect& other) const
    {
        return position.x == other.position.x && position.y == other.position.y && size.x == other.size.x &&
               size.y == other.size.y;
    }
};

// Both set and clear first draw what the renderers hold, so the rectangle
// applies exactly to the draws made while it is set. Binding a render target
// clears it.
void SetCanvasScissor(const CanvasRect& rect);
void ClearCanvasScissor();
// The rectangle in force; none while draws are not clipped.
std::optional<CanvasRect> CurrentCanvasScissor();

}  // namespace vesk::graphics
