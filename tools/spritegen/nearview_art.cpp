// The near-view scenery of "bg/nearview/nearview.pac": dunes, rocks and ruins, each a near layer and a front layer.
#include "tools/spritegen/nearview_art.h"

#include "tools/spritegen/arcade_art.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <string>

#include "tools/spritegen/pixel_art.h"

namespace spritegen {
namespace {

constexpr int kNearWidth = 400;
constexpr int kNearHeight = 72;
constexpr int kFrontWidth = 200;
constexpr int kFrontHeight = 20;
constexpr int kPieceWidth = 48;
constexpr int kFrontPieceWidth = 24;
constexpr double kTwoPi = 6.283185307179586;

struct Palette {
    Rgba body;
    Rgba light;
    Rgba dark;
    Rgba ground;
    Rgba groundLight;
    Rgba pebble;
};

constexpr Palette kDunes{Hex(0xD9A860), Hex(0xF0CE8E), Hex(0xB07E3E), Hex(0xC8924E), Hex(0xE2B873), Hex(0x8E6434)};
constexpr Palette kRocks{Hex(0x8C6A55), Hex(0xB08A6E), Hex(0x5E4638), Hex(0xB98847), Hex(0xD3A768), Hex(0x584A3F)};
constexpr Palette kRuins{Hex(0xA89272), Hex(0xCDB797), Hex(0x6E5E48), Hex(0xBE9A5E), Hex(0xD8B57A), Hex(0x6F6254)};
constexpr Rgba kOutline = Hex(0x2E2420);

// A wave repeating every `period` pixels (the tile's width less its overlapping pixel).
double Wave(int x, int period, int harmonic, double phase)
{
    return std::sin(kTwoPi * harmonic * x / period + phase);
}

// Fills every column from the profile's top down, with a lit crest and a darker foot.
void FillProfile(PixelArt& art, const Palette& palette, const std::function<int(int)>& top)
{
    const int height = art.Height();
    for (int x = 0; x < art.Width(); ++x) {
        const int y0 = std::clamp(top(x), 0, height - 1);
        art.Fill(x, y0, 1, height - y0, palette.body);
        art.Fill(x, y0, 1, 2, palette.light);
        art.Fill(x, height - height / 5, 1, height / 5, palette.dark);
        art.Dot(x, y0, kOutline);
    }
}

// Fills every column of a front-layer picture from the ground's top down, the top pixel lit.
void FillGround(PixelArt& art, const Palette& palette, const std::function<int(int)>& top)
{
    for (int x = 0; x < art.Width(); ++x) {
        const int y0 = top(x);
        art.Fill(x, y0, 1, art.Height() - y0, palette.ground);
        art.Dot(x, y0, palette.groundLight);
    }
}

// The near layer's tile of a view.
PixelArt NearTile(int view, const Palette& palette)
{
    PixelArt art(kNearWidth, kNearHeight);
    const int period = kNearWidth - 1;  // 399 = 3 x 7 x 19
    switch (view) {
    case 0:  // rolling dunes
        FillProfile(art, palette, [&](int x) {
            return static_cast<int>(34 + 12 * Wave(x, period, 1, 0.0) + 7 * Wave(x, period, 3, 1.3) + 3 * Wave(x, period, 7, 0.4));
        });
        break;
    case 1: {  // mesas with flat tops
        FillProfile(art, palette, [&](int x) {
            const double w = Wave(x, period, 3, 0.7) + 0.5 * Wave(x, period, 7, 2.0);
            return w > 0.6 ? 14 : (w > -0.2 ? 30 + static_cast<int>(10 * (0.6 - w)) : 52);
        });
        for (int x = 0; x < kNearWidth; x += 19) art.Line(x, 30, x + 4, 60, palette.dark);
        break;
    }
    default: {  // a ruined wall with broken columns
        FillProfile(art, palette, [&](int) { return 48; });
        for (int column = 0; column < 7; ++column) {
            const int x = 10 + column * 57;  // seven columns every 57 pixels
            const int top = 8 + (column * 13) % 24;
            art.Fill(x, top, 14, kNearHeight - top, kOutline);
            art.Bevel(x + 1, top + 1, 12, kNearHeight - top - 2, palette.body, palette.light, palette.dark);
            art.Fill(x - 2, top, 18, 3, palette.dark);
        }
        break;
    }
    }
    return art;
}

// A start or end piece: the layer rising from the bare ground or sinking to it.
PixelArt NearPiece(const Palette& palette, int width, int height, bool rising)
{
    PixelArt art(width, height);
    FillProfile(art, palette, [&](int x) {
        const double t = static_cast<double>(rising ? x : width - 1 - x) / (width - 1);
        return static_cast<int>(height - 6 - (height * 0.55) * t);
    });
    return art;
}

// The front layer's tile: the ground in front of the ship with pebbles and tufts.
PixelArt FrontTile(int view, const Palette& palette)
{
    PixelArt art(kFrontWidth, kFrontHeight);
    const int period = kFrontWidth - 1;
    FillGround(art, palette, [&](int x) {
        return static_cast<int>(6 + 2 * Wave(x, period, 2, 0.5) + Wave(x, period, 5, 1.0));
    });
    for (int i = 0; i < 9; ++i) {
        const int x = 7 + i * 21;
        art.Fill(x, 11 + (i * 5) % 6, 3 + view, 2, palette.pebble);
    }
    return art;
}

PixelArt FrontPiece(const Palette& palette, bool rising)
{
    PixelArt art(kFrontPieceWidth, kFrontHeight);
    FillGround(art, palette, [&](int x) {
        const double t = static_cast<double>(rising ? x : kFrontPieceWidth - 1 - x) / (kFrontPieceWidth - 1);
        return static_cast<int>(kFrontHeight - 3 - 11 * t);
    });
    return art;
}

}  // namespace

std::vector<tools::NamedImage> DrawNearViewSprites()
{
    struct View {
        const char* name;
        Palette palette;
    };
    const View views[] = {{"dunes", kDunes}, {"rocks", kRocks}, {"ruins", kRuins}};
    std::vector<tools::NamedImage> sprites;
    int index = 0;
    auto add = [&](const std::string& view, const std::string& part, const PixelArt& art) {
        // Names stay within the 31 bytes a package keeps.
        sprites.push_back(Named("nearview_" + TwoDigits(index++) + "_" + view + "_" + part, art));
    };
    for (int v = 0; v < 3; ++v) {
        const View& view = views[v];
        add(view.name, "near", NearTile(v, view.palette));
        add(view.name, "in", NearPiece(view.palette, kPieceWidth, kNearHeight, true));
        add(view.name, "out", NearPiece(view.palette, kPieceWidth, kNearHeight, false));
        add(view.name, "fr", FrontTile(v, view.palette));
        add(view.name, "fr_in", FrontPiece(view.palette, true));
        add(view.name, "fr_out", FrontPiece(view.palette, false));
    }
    sprites.push_back(DrawArcadeNearView());
    return sprites;
}

}  // namespace spritegen
