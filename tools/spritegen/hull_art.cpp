// The hull packages: a land ship's body, its cover for the zoomed-out view, and the wheel frames.
#include "tools/spritegen/hull_art.h"

#include <cmath>
#include <numbers>
#include <string>

#include "tools/spritegen/pixel_art.h"
#include "tools/spritegen/world_palette.h"

namespace spritegen {
namespace {

using namespace world_palette;

constexpr Rgba kHull = Hex(0x6E5A44);
constexpr Rgba kHullLight = Hex(0x8E7658);
constexpr Rgba kHullDark = Hex(0x4A3B2C);
constexpr Rgba kInterior = Hex(0x2B2F33);
constexpr Rgba kRivet = Hex(0xB9A27E);
// The hull's painted band and flag.
constexpr Rgba kBand = Hex(0xB5562B);
constexpr Rgba kBandLight = Hex(0xD8783F);
constexpr Rgba kWindow = Hex(0xF2C94C);
constexpr Rgba kWindowDark = Hex(0xA8822A);
constexpr Rgba kTyre = Hex(0x23262A);
constexpr Rgba kTyreLight = Hex(0x3C4147);
constexpr Rgba kRim = Hex(0xA7B2B9);
constexpr Rgba kHub = Hex(0xD9A441);
constexpr Rgba kSmoke = Hex(0x8C8C8C, 160);

// Where the parts of a hull lie in its sprites, in pixels of the sprite (12 to a grid cell). The
// sprites hang from their bottom centre; the grid's top-left corner is the hull's anchor.
struct HullShape {
    int width;
    int height;
    int gridLeft;
    int gridTop;
    int gridRight;
    int gridBottom;
    int wheelCount;
    float wheelX[3];
    float wheelRadius[3];
};

// 10 x 4 cells; wheels at -48 and +61 from the centre.
constexpr HullShape kProt{136, 84, 8, 17, 128, 65, 2, {20.0f, 129.0f}, {12.0f, 12.0f}};
// 13 x 6 cells; a big drive wheel at +58 and a smaller one at -25.
constexpr HullShape kShp3{177, 103, 12, 12, 168, 84, 2, {146.5f, 63.5f}, {15.0f, 12.0f}};

float WheelCentreY(const HullShape& shape, int wheel) { return shape.height - shape.wheelRadius[wheel] - 0.5f; }

// Inside a wheel's arch: the wheel's circle widened by 2 pixels.
bool InArch(const HullShape& shape, int x, int y)
{
    for (int wheel = 0; wheel < shape.wheelCount; ++wheel) {
        const float dx = x + 0.5f - shape.wheelX[wheel];
        const float dy = y + 0.5f - WheelCentreY(shape, wheel);
        const float r = shape.wheelRadius[wheel] + 2.0f;
        if (dx * dx + dy * dy <= r * r) return true;
    }
    return false;
}

// The lower hull under the grid: plating with a rust stripe, rivets, and the wheel arches left open.
void DrawBelly(PixelArt& art, const HullShape& shape)
{
    const int top = shape.gridBottom;
    const int bottom = shape.height - 5;
    for (int y = top; y < bottom; ++y) {
        for (int x = 2; x < shape.width - 2; ++x) {
            if (InArch(shape, x, y)) continue;
            Rgba colour = kHull;
            if (y == top || y == top + 1) colour = kHullLight;
            if (y >= top + 5 && y < top + 8) colour = kBand;
            if (y == top + 5) colour = kBandLight;
            if (y == bottom - 1) colour = kOutline;
            art.Dot(x, y, colour);
        }
    }
    for (int x = 6; x < shape.width - 6; x += 9) {
        if (!InArch(shape, x, top + 3)) art.Dot(x, top + 3, kRivet);
    }
    // The arches' rims.
    for (int wheel = 0; wheel < shape.wheelCount; ++wheel) {
        const float r = shape.wheelRadius[wheel] + 2.5f;
        for (int a = 180; a <= 360; a += 3) {
            const float t = static_cast<float>(a) * std::numbers::pi_v<float> / 180.0f;
            const int x = static_cast<int>(std::lround(shape.wheelX[wheel] + r * std::cos(t) - 0.5f));
            const int y = static_cast<int>(std::lround(WheelCentreY(shape, wheel) + r * std::sin(t) - 0.5f));
            if (y >= top && y < bottom) art.Dot(x, y, kHullDark);
        }
    }
    // The axle beam between the arches.
    for (int x = 4; x < shape.width - 4; ++x) {
        if (!InArch(shape, x, bottom + 1)) art.Fill(x, bottom, 1, 3, kSteelDark);
    }
}

// The upper works over the grid: a deck rail, a smokestack, a mast.
void DrawUpperWorks(PixelArt& art, const HullShape& shape, int stacks)
{
    const int deck = shape.gridTop - 4;
    art.Bevel(1, deck, shape.width - 2, 4, kHull, kHullLight, kHullDark);
    for (int x = 3; x < shape.width - 3; x += 6) art.Fill(x, deck - 4, 1, 4, kSteelLight);
    art.Fill(2, deck - 4, shape.width - 4, 1, kSteelLight);
    for (int i = 0; i < stacks; ++i) {
        const int x = 12 + i * 16;
        art.Bevel(x, 0, 9, deck, kSteelDark, kSteel, kOutline);
        art.Fill(x, 2, 9, 2, kBand);
        art.Dot(x + 3, 0, kSmoke);
    }
    // A mast with a pennant at the bow.
    const int mast = shape.width - 14;
    art.Fill(mast, 0, 1, deck, kOutline);
    art.Fill(mast + 1, 1, 6, 2, kBand);
    art.Fill(mast + 1, 3, 4, 1, kBandLight);
}

// The hull walls beside the grid and the dark hold behind it.
void DrawWalls(PixelArt& art, const HullShape& shape)
{
    art.Fill(shape.gridLeft, shape.gridTop, shape.gridRight - shape.gridLeft, shape.gridBottom - shape.gridTop, kInterior);
    art.Bevel(1, shape.gridTop, shape.gridLeft - 1, shape.gridBottom - shape.gridTop, kHull, kHullLight, kHullDark);
    art.Bevel(shape.gridRight, shape.gridTop, shape.width - 1 - shape.gridRight, shape.gridBottom - shape.gridTop, kHull,
              kHullLight, kHullDark);
    for (int y = shape.gridTop + 3; y < shape.gridBottom; y += 8) {
        art.Dot(3, y, kRivet);
        art.Dot(shape.width - 4, y, kRivet);
    }
}

PixelArt Body(const HullShape& shape, int stacks)
{
    PixelArt art(shape.width, shape.height);
    DrawUpperWorks(art, shape, stacks);
    DrawWalls(art, shape);
    DrawBelly(art, shape);
    return art;
}

// The closed hull seen from outside: plating bands with lit windows over the grid.
PixelArt Cover(const HullShape& shape, int stacks)
{
    PixelArt art = Body(shape, stacks);
    for (int y = shape.gridTop; y < shape.gridBottom; ++y) {
        const int band = (y - shape.gridTop) % 12;
        const Rgba colour = band == 0 ? kHullLight : band == 11 ? kHullDark : kHull;
        art.Fill(shape.gridLeft, y, shape.gridRight - shape.gridLeft, 1, colour);
    }
    for (int row = shape.gridTop + 3; row + 6 < shape.gridBottom; row += 12) {
        for (int x = shape.gridLeft + 5; x + 6 < shape.gridRight; x += 14) {
            art.OutlinedFill(x, row, 6, 5, kWindowDark, kWindow);
        }
    }
    // A painted stripe with the ship's number plate.
    const int stripe = shape.gridBottom - 4;
    art.Fill(shape.gridLeft, stripe, shape.gridRight - shape.gridLeft, 2, kCream);
    art.Fill(shape.gridLeft + 4, stripe - 1, 10, 4, kBand);
    return art;
}

// A spoked wheel turned by the frame (spokes every 90 degrees, frames 30 degrees apart).
PixelArt Wheel(float radius, int frame)
{
    const int size = static_cast<int>(radius * 2.0f) + 1;
    PixelArt art(size, size);
    const float c = size / 2.0f;
    art.Disc(c, c, radius, kTyre);
    art.Ring(c, c, radius - 0.5f, 1.0f, kTyreLight);
    art.Disc(c, c, radius - 3.0f, kSteelDark);
    art.Ring(c, c, radius - 3.5f, 1.0f, kRim);
    for (int spoke = 0; spoke < 4; ++spoke) {
        const float t = (static_cast<float>(frame) * 30.0f + static_cast<float>(spoke) * 90.0f) * std::numbers::pi_v<float> / 180.0f;
        const float len = radius - 3.5f;
        art.Line(static_cast<int>(c), static_cast<int>(c), static_cast<int>(std::lround(c + len * std::cos(t))),
                 static_cast<int>(std::lround(c + len * std::sin(t))), kRim);
    }
    art.Disc(c, c, 2.5f, kHub);
    art.Dot(static_cast<int>(c), static_cast<int>(c), kOutline);
    // Tread marks round the tyre.
    for (int a = 0; a < 360; a += 30) {
        const float t = (static_cast<float>(a) + frame * 10.0f) * std::numbers::pi_v<float> / 180.0f;
        art.Dot(static_cast<int>(std::lround(c + (radius - 1.0f) * std::cos(t) - 0.5f)),
                static_cast<int>(std::lround(c + (radius - 1.0f) * std::sin(t) - 0.5f)), kOutline);
    }
    return art;
}

PixelArt Badge()
{
    PixelArt art(16, 16);
    art.RoundFill(0, 3, 16, 9, kHull);
    art.Fill(2, 5, 12, 3, kWindow);
    art.Disc(4.0f, 12.5f, 2.5f, kTyre);
    art.Disc(12.0f, 12.5f, 2.5f, kTyre);
    return art;
}

}  // namespace

std::vector<tools::NamedImage> DrawHullSprites(std::string_view hull)
{
    std::vector<tools::NamedImage> sprites;
    if (hull == "prot") {
        // Sprite 0 the badge, 1 the cover, 2 the body, 3 to 5 the wheel frames.
        sprites.push_back(Named("prot_00_badge", Badge()));
        sprites.push_back(Named("prot_01_cover", Cover(kProt, 1)));
        sprites.push_back(Named("prot_02_body", Body(kProt, 1)));
        for (int frame = 0; frame < 3; ++frame) {
            sprites.push_back(Named("prot_" + TwoDigits(3 + frame) + "_wheel", Wheel(kProt.wheelRadius[0], frame)));
        }
    } else if (hull == "shp3") {
        // Sprite 0 the body, 1 the cover, 2 to 4 the drive wheel's frames, 5 to 7 the small wheel's.
        sprites.push_back(Named("shp3_00_body", Body(kShp3, 2)));
        sprites.push_back(Named("shp3_01_cover", Cover(kShp3, 2)));
        for (int frame = 0; frame < 3; ++frame) {
            sprites.push_back(Named("shp3_" + TwoDigits(2 + frame) + "_drive", Wheel(kShp3.wheelRadius[0], frame)));
        }
        for (int frame = 0; frame < 3; ++frame) {
            sprites.push_back(Named("shp3_" + TwoDigits(5 + frame) + "_roller", Wheel(kShp3.wheelRadius[1], frame)));
        }
    }
    return sprites;
}

}  // namespace spritegen
