// A floating-point canvas that fills signed-distance shapes with paints, and its colours.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "tools/common/rgba_image.h"

namespace artgen {

// Straight (not premultiplied) colour, channels 0 to 1.
struct Colour {
    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 1.0f;
};

Colour Hex(uint32_t rgb, float alpha = 1.0f);
Colour Lerp(const Colour& from, const Colour& to, float t);

// Signed distance in pixels from a point to a shape's outline, negative inside.
using Shape = std::function<float(float x, float y)>;
// The colour of a shape at a point (solid fills ignore the point).
using Paint = std::function<Colour(float x, float y)>;

Paint Solid(Colour colour);
// Blends from one colour to the other along the line from (x0, y0) to (x1, y1).
Paint LinearGradient(float x0, float y0, Colour from, float x1, float y1, Colour to);

// A transparent picture that shapes are painted onto, anti-aliased by the
// distance to their outline.
class Canvas {
public:
    Canvas(uint32_t width, uint32_t height);

    void Fill(const Shape& shape, const Paint& paint);

    // Straight-alpha RGBA. Transparent pixels take the colour of the nearest
    // painted pixel, so filtering at the edges does not pull in black.
    tools::RgbaImage ToImage() const;

private:
    uint32_t width_;
    uint32_t height_;
    std::vector<float> premultiplied_;  // r, g, b, a per pixel
};

}  // namespace artgen
