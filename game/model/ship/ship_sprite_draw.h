// One sprite of the current sprite group drawn with its scale, colour, turn, pivot, flips and sub-rectangle, as the ship's drawing needs.
#pragma once

#include <cstdint>

struct ShipSpriteLook {
    float scaleX = 1.0f;
    float scaleY = 1.0f;
    std::uint32_t color = 0xFFFFFFFFu;  // RGBA bytes, red in the low byte
    float angle = 0.0f;                 // degrees
    float pivotX = 0.0f;                // fractions of the sprite's size
    float pivotY = 0.0f;
    bool flipX = false;
    bool flipY = false;
    float u1 = 1.0f;  // the right edge of the part drawn, as a fraction of the width
};

// Nothing without a device or for an index the current group does not hold.
void DrawShipSprite(std::int32_t index, float x, float y, const ShipSpriteLook& look);

// The colour with its alpha byte multiplied by the factor (0..1).
std::uint32_t WithAlpha(std::uint32_t color, float factor);
