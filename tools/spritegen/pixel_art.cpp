// Crisp pixel drawing blended over what is there, solid pictures, and the sprite a picture makes.
#include "tools/spritegen/pixel_art.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace spritegen {
namespace {

// Calls visit(x, y, squared distance of the pixel's centre from (cx, cy)) for every pixel of the
// square that holds the circle.
template <typename Visit>
void ForEachAround(float cx, float cy, float radius, Visit visit)
{
    const int x0 = static_cast<int>(std::floor(cx - radius));
    const int x1 = static_cast<int>(std::ceil(cx + radius));
    const int y0 = static_cast<int>(std::floor(cy - radius));
    const int y1 = static_cast<int>(std::ceil(cy + radius));
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            const float ox = x + 0.5f - cx;
            const float oy = y + 0.5f - cy;
            visit(x, y, ox * ox + oy * oy);
        }
    }
}

}  // namespace

PixelArt::PixelArt(int width, int height)
    : width_(width), height_(height), image_(static_cast<uint32_t>(width), static_cast<uint32_t>(height))
{
}

void PixelArt::Dot(int x, int y, Rgba colour)
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_ || colour.a == 0) return;
    uint8_t* pixel = &image_.rgba[(static_cast<size_t>(y) * width_ + x) * 4];
    if (colour.a == 255) {
        pixel[0] = colour.r;
        pixel[1] = colour.g;
        pixel[2] = colour.b;
        pixel[3] = 255;
        return;
    }
    // Straight-alpha "over".
    const float a = colour.a / 255.0f;
    const float under = pixel[3] / 255.0f * (1.0f - a);
    const float out = a + under;
    const auto mix = [&](uint8_t top, uint8_t bottom) {
        return static_cast<uint8_t>(std::lround((top * a + bottom * under) / out));
    };
    pixel[0] = mix(colour.r, pixel[0]);
    pixel[1] = mix(colour.g, pixel[1]);
    pixel[2] = mix(colour.b, pixel[2]);
    pixel[3] = static_cast<uint8_t>(std::lround(out * 255.0f));
}

void PixelArt::Fill(int x, int y, int w, int h, Rgba colour)
{
    for (int row = y; row < y + h; ++row) {
        for (int column = x; column < x + w; ++column) Dot(column, row, colour);
    }
}

void PixelArt::Frame(int x, int y, int w, int h, Rgba colour)
{
    if (w <= 0 || h <= 0) return;
    Fill(x, y, w, 1, colour);
    if (h > 1) Fill(x, y + h - 1, w, 1, colour);
    Fill(x, y + 1, 1, h - 2, colour);
    if (w > 1) Fill(x + w - 1, y + 1, 1, h - 2, colour);
}

void PixelArt::RoundFill(int x, int y, int w, int h, Rgba colour)
{
    Fill(x + 1, y, w - 2, 1, colour);
    Fill(x, y + 1, w, h - 2, colour);
    Fill(x + 1, y + h - 1, w - 2, 1, colour);
}

void PixelArt::OutlinedFill(int x, int y, int w, int h, Rgba outline, Rgba fill)
{
    Fill(x, y, w, h, outline);
    Fill(x + 1, y + 1, w - 2, h - 2, fill);
}

void PixelArt::OutlinedRoundFill(int x, int y, int w, int h, Rgba outline, Rgba fill)
{
    RoundFill(x, y, w, h, outline);
    RoundFill(x + 1, y + 1, w - 2, h - 2, fill);
}

void PixelArt::Bevel(int x, int y, int w, int h, Rgba fill, Rgba light, Rgba dark)
{
    Fill(x, y, w, h, fill);
    Fill(x, y, w - 1, 1, light);
    Fill(x, y + 1, 1, h - 2, light);
    Fill(x + 1, y + h - 1, w - 1, 1, dark);
    Fill(x + w - 1, y, 1, h - 1, dark);
}

void PixelArt::Line(int x0, int y0, int x1, int y1, Rgba colour)
{
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int stepX = x0 < x1 ? 1 : -1;
    const int stepY = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    for (;;) {
        Dot(x0, y0, colour);
        if (x0 == x1 && y0 == y1) break;
        const int twice = 2 * error;
        if (twice >= dy) {
            error += dy;
            x0 += stepX;
        }
        if (twice <= dx) {
            error += dx;
            y0 += stepY;
        }
    }
}

void PixelArt::Disc(float cx, float cy, float radius, Rgba colour)
{
    ForEachAround(cx, cy, radius, [&](int x, int y, float distance) {
        if (distance <= radius * radius) Dot(x, y, colour);
    });
}

void PixelArt::Ring(float cx, float cy, float radius, float width, Rgba colour)
{
    const float inner = std::max(0.0f, radius - width);
    ForEachAround(cx, cy, radius, [&](int x, int y, float distance) {
        if (distance <= radius * radius && distance > inner * inner) Dot(x, y, colour);
    });
}

void PixelArt::OutlinedDisc(float cx, float cy, float radius, Rgba outline, Rgba fill)
{
    Disc(cx, cy, radius, outline);
    Disc(cx, cy, radius - 1.0f, fill);
}

PixelArt Solid(int width, int height, Rgba colour)
{
    PixelArt art(width, height);
    art.Fill(0, 0, width, height, colour);
    return art;
}

std::string TwoDigits(int n)
{
    const char digits[3] = {static_cast<char>('0' + n / 10 % 10), static_cast<char>('0' + n % 10), '\0'};
    return digits;
}

tools::NamedImage Named(const std::string& name, const PixelArt& art) { return {name + ".png", art.Image()}; }

}  // namespace spritegen
