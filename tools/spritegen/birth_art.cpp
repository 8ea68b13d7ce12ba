// The crew birth window's sprites: the speed lines behind the newborn and the scan lines over the dialog frame.
#include "tools/spritegen/birth_art.h"

#include <cmath>
#include <numbers>
#include <string>

#include "tools/spritegen/pixel_art.h"

namespace spritegen {
namespace {

constexpr int kLinesWidth = 138;
constexpr int kLinesHeight = 66;
constexpr int kRays = 24;
constexpr Rgba kRayBright = Hex(0xFFF3C4, 200);
constexpr Rgba kRayFaint = Hex(0xF2C66B, 120);

// Rays from the middle of the bottom third outwards, each starting a little away from the centre so
// the picture stands in a clear spot; every frame turns them by a third of the gap between two rays.
PixelArt SpeedLines(int frame)
{
    PixelArt art(kLinesWidth, kLinesHeight);
    const float cx = kLinesWidth / 2.0f;
    const float cy = kLinesHeight * 0.6f;
    const float reach = static_cast<float>(kLinesWidth);
    for (int ray = 0; ray < kRays; ++ray) {
        const float angle = (static_cast<float>(ray) + static_cast<float>(frame) / 3.0f) * 2.0f * std::numbers::pi_v<float> /
                            static_cast<float>(kRays);
        const float inner = 16.0f + static_cast<float>((ray * 7 + frame * 3) % 9);
        const float dx = std::cos(angle);
        const float dy = std::sin(angle);
        art.Line(static_cast<int>(cx + dx * inner), static_cast<int>(cy + dy * inner), static_cast<int>(cx + dx * reach),
                 static_cast<int>(cy + dy * reach), ray % 2 == 0 ? kRayBright : kRayFaint);
    }
    return art;
}

// Faint dark lines on every other row inside the frame's border, and a soft sheen along the top.
PixelArt ScanLines()
{
    PixelArt art(280, 160);
    for (int y = 3; y < 157; y += 2) art.Fill(3, y, 274, 1, Hex(0x000000, 34));
    art.Fill(3, 3, 274, 2, Hex(0xFFFFFF, 24));
    return art;
}

}  // namespace

std::vector<tools::NamedImage> DrawBirthSprites()
{
    std::vector<tools::NamedImage> sprites;
    for (int frame = 0; frame < 3; ++frame) {
        sprites.push_back(Named("ui_birth_intensiveline_" + std::to_string(frame), SpeedLines(frame)));
    }
    sprites.push_back(Named("ui_dialogbase_scan", ScanLines()));
    return sprites;
}

}  // namespace spritegen
