// Crisp pixel drawing on a transparent picture, for the generated sprites.
#pragma once

#include <cstdint>
#include <string>

#include "tools/common/rgba_image.h"
#include "tools/common/sprite_package_writer.h"

namespace spritegen {

// 0xRRGGBBAA.
struct Rgba {
    uint8_t r = 0;
    uint8_t g = 0;
    uint8_t b = 0;
    uint8_t a = 0;
};

constexpr Rgba Hex(uint32_t rgb, uint8_t alpha = 255)
{
    return {static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8), static_cast<uint8_t>(rgb), alpha};
}

// Crisp pixel drawing on a transparent picture: no anti-aliasing, so tiles
// stay sharp when the game scales them by whole steps. Everything clips to
// the picture; colours with alpha below 255 are blended over what is there.
class PixelArt {
public:
    PixelArt(int width, int height);

    int Width() const { return width_; }
    int Height() const { return height_; }

    void Dot(int x, int y, Rgba colour);
    void Fill(int x, int y, int w, int h, Rgba colour);
    void Frame(int x, int y, int w, int h, Rgba colour);
    // A filled rectangle with its corner pixels left out.
    void RoundFill(int x, int y, int w, int h, Rgba colour);
    // A fill one pixel inside an outline of the given box.
    void OutlinedFill(int x, int y, int w, int h, Rgba outline, Rgba fill);
    // A rounded fill one pixel inside a rounded outline of the given box.
    void OutlinedRoundFill(int x, int y, int w, int h, Rgba outline, Rgba fill);
    // A raised panel: fill, a light top-left edge and a dark bottom-right edge.
    void Bevel(int x, int y, int w, int h, Rgba fill, Rgba light, Rgba dark);
    void Line(int x0, int y0, int x1, int y1, Rgba colour);
    // Pixels whose centre lies within the circle.
    void Disc(float cx, float cy, float radius, Rgba colour);
    void Ring(float cx, float cy, float radius, float width, Rgba colour);
    // A disc of the radius less one inside a one-pixel outline.
    void OutlinedDisc(float cx, float cy, float radius, Rgba outline, Rgba fill);

    const tools::RgbaImage& Image() const { return image_; }

private:
    int width_;
    int height_;
    tools::RgbaImage image_;
};

// A picture of one colour all over: lines, strips and highlights the game stretches or tints.
PixelArt Solid(int width, int height, Rgba colour);

// The number as two digits, as the sprite names count their frames and kinds ("07").
std::string TwoDigits(int n);

// The picture as the sprite "<name>.png".
tools::NamedImage Named(const std::string& name, const PixelArt& art);

}  // namespace spritegen
