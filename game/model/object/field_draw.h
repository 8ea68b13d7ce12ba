// Where field objects stand and are drawn: grid cells in field pixels, field pixels to canvas points, route positions to canvas points.
#pragma once

#include <cstdint>

#include "framework/math/vector.h"

// The field as the ship body shows it: the body's draw position is the grid's corner, and a field
// pixel is (camera zoom / 2) x (body scale / 2) canvas units on each axis; a negative body scale
// mirrors that axis.
struct FieldFrame {
    float originX = 0.0f;
    float originY = 0.0f;
    float scaleX = 1.0f;
    float scaleY = 1.0f;

    vesk::math::Vec2 ToScreen(const vesk::math::Vec2& field) const
    {
        return {originX + field.x * scaleX, originY + field.y * scaleY};
    }
    // A sprite's scale on the field: the size of a field pixel.
    float SpriteScaleX() const { return scaleX < 0.0f ? -scaleX : scaleX; }
    float SpriteScaleY() const { return scaleY < 0.0f ? -scaleY : scaleY; }
    bool MirroredX() const { return scaleX < 0.0f; }
};

// The size of a grid cell of the world's ship, in field pixels (24 without a ship).
float FieldCellWidth();
float FieldCellHeight();
// The middle of a cell's floor line: where crew members and items stand on it.
vesk::math::Vec2 CellFloorMiddle(std::int32_t column, std::int32_t row);

// The frame of the world's ship body and camera; one canvas unit per field pixel without them.
FieldFrame CurrentFieldFrame();

// The camera's zoom (1.0 without a camera).
float FieldCameraZoom();

// The height of the HUD's bottom frame ("ui_common_frame" of sprite group 2); 0 without it.
float HudFrameHeight();

// The canvas point of a route position beside the ship: half the route distance from the ship
// (mirrored on a route run in reverse) times half the camera zoom from the canvas centre, less the
// camera's scroll, on the ground line above the HUD's bottom frame; moved by the ship's screen
// offset. Enemies, drop items, background props and sand pillars all stand on it.
vesk::math::Vec2 RouteToScreen(std::int32_t routePosition);

// The ship's position on the current route, the route's length and whether it is run in reverse;
// 0, 0 and false without a route.
std::int32_t ShipRoutePosition();
std::int32_t CurrentRouteLength();
bool IsRouteReversed();
