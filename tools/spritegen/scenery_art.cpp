// Sprites of the packages the start-up loads beside the rooms, drawn pixel by pixel.
// Background objects, enemies and the arcade mini-game.
#include "tools/spritegen/scenery_art.h"

#include <string>

#include "tools/spritegen/pixel_art.h"
#include "tools/spritegen/world_palette.h"

namespace spritegen {
namespace {

using namespace world_palette;

constexpr Rgba kSand = Hex(0xE2B873);
constexpr Rgba kSandLight = Hex(0xF0D39A);
constexpr Rgba kSandDark = Hex(0xB98847);
constexpr Rgba kRock = Hex(0x7B6A5C);
constexpr Rgba kRockLight = Hex(0x9C8A7A);
constexpr Rgba kRockDark = Hex(0x584A3F);
constexpr Rgba kGreen = Hex(0x7C9A4A);
constexpr Rgba kShadow = Hex(0x000000, 80);

PixelArt Rock(int width, int height)
{
    PixelArt art(width, height);
    art.Fill(1, height - 2, width - 2, 2, kShadow);
    art.RoundFill(0, height / 3, width, height - height / 3 - 1, kOutline);
    art.Bevel(1, height / 3 + 1, width - 2, height - height / 3 - 3, kRock, kRockLight, kRockDark);
    art.Fill(width / 3, height / 3 + 3, width / 4, 1, kRockDark);
    return art;
}

PixelArt Bush()
{
    PixelArt art(24, 20);
    art.Fill(3, 18, 18, 2, kShadow);
    for (int twig = 0; twig < 5; ++twig) art.Line(12, 18, 3 + twig * 4, 4 + (twig % 2) * 4, kGreen);
    art.Line(12, 18, 12, 2, kOutline);
    return art;
}

PixelArt Cactus()
{
    PixelArt art(20, 34);
    art.Fill(3, 32, 14, 2, kShadow);
    art.RoundFill(7, 2, 6, 31, kOutline);
    art.Fill(8, 3, 4, 29, kGreen);
    art.RoundFill(1, 10, 5, 12, kOutline);
    art.Fill(2, 11, 3, 10, kGreen);
    art.Fill(4, 18, 4, 3, kOutline);
    art.RoundFill(14, 6, 5, 10, kOutline);
    art.Fill(15, 7, 3, 8, kGreen);
    art.Fill(12, 13, 3, 3, kOutline);
    return art;
}

PixelArt Signpost()
{
    PixelArt art(26, 30);
    art.Fill(4, 28, 18, 2, kShadow);
    art.OutlinedFill(11, 6, 4, 23, kOutline, kRust);
    art.Fill(2, 4, 22, 9, kOutline);
    art.Bevel(3, 5, 20, 7, kSandLight, kWhite, kSandDark);
    art.Fill(6, 8, 10, 1, kOutline);
    return art;
}

PixelArt Wreck()
{
    PixelArt art(48, 28);
    art.Fill(2, 24, 44, 4, kSandDark);
    art.Fill(0, 26, 48, 2, kSand);
    art.Fill(6, 10, 30, 15, kOutline);
    art.Bevel(7, 11, 28, 13, kRust, kRustLight, kOutline);
    art.Disc(14.0f, 24.0f, 5.0f, kOutline);
    art.Disc(14.0f, 24.0f, 3.5f, kSteel);
    art.Fill(36, 14, 8, 3, kOutline);
    art.Fill(9, 13, 5, 4, kOutline);
    return art;
}

}  // namespace

std::vector<tools::NamedImage> DrawBackgroundObjectSprites()
{
    return {Named("bgobj_rock_01", Rock(28, 18)), Named("bgobj_rock_02", Rock(44, 26)), Named("bgobj_bush_01", Bush()),
            Named("bgobj_wreck_01", Wreck()),     Named("bgobj_cactus_01", Cactus()),    Named("bgobj_signpost_01", Signpost())};
}

}  // namespace spritegen
