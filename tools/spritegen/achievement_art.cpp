// The achievement icons of the room package: twenty medals and the locked icon.
#include "tools/spritegen/achievement_art.h"

#include <array>
#include <string>

#include "tools/spritegen/pixel_art.h"
#include "tools/spritegen/world_palette.h"

namespace spritegen {
namespace {

using namespace world_palette;

constexpr int kSize = 32;
constexpr Rgba kRibbonA = Hex(0xC0392B);
constexpr Rgba kRibbonB = Hex(0x2E6FB7);
constexpr Rgba kGrey = Hex(0x6E7478);
constexpr Rgba kGreyLight = Hex(0x9AA1A6);
constexpr Rgba kGreyDark = Hex(0x454A4E);

// Medal faces: bronze, silver and gold turns, then five accent colours; each icon has its own
// pair, and the number of pips tells the icons of one pair apart.
constexpr std::array<Rgba, 4> kMetals = {Hex(0xC8743A), Hex(0xB8C2C8), Hex(0xE3B341), Hex(0x4FD1C5)};
constexpr std::array<Rgba, 5> kAccents = {Hex(0xE04848), Hex(0x4A78C2), Hex(0x5DBB63), Hex(0xA070E0), Hex(0xF2C94C)};

PixelArt Medal(int index)
{
    PixelArt art(kSize, kSize);
    const Rgba metal = kMetals[static_cast<std::size_t>(index % 4)];
    const Rgba accent = kAccents[static_cast<std::size_t>(index / 4)];
    // Ribbon above the medal.
    art.Fill(9, 0, 6, 12, kOutline);
    art.Fill(17, 0, 6, 12, kOutline);
    art.Fill(10, 0, 4, 11, index % 2 == 0 ? kRibbonA : kRibbonB);
    art.Fill(18, 0, 4, 11, index % 2 == 0 ? kRibbonB : kRibbonA);
    art.OutlinedDisc(15.5f, 19.5f, 11.5f, kOutline, metal);
    art.Disc(15.5f, 19.5f, 7.0f, accent);
    art.Ring(15.5f, 19.5f, 9.0f, 0.8f, kWhite);
    // One to five pips across the centre.
    const int pips = index % 5 + 1;
    const int start = 16 - pips * 2;
    for (int pip = 0; pip < pips; ++pip) art.Fill(start + pip * 4, 18, 2, 2, kWhite);
    return art;
}

PixelArt Lock()
{
    PixelArt art(kSize, kSize);
    art.Ring(15.5f, 12.5f, 6.5f, 2.2f, kOutline);
    art.Ring(15.5f, 12.5f, 6.5f, 1.2f, kGreyLight);
    art.Fill(7, 14, 18, 15, kOutline);
    art.Bevel(8, 15, 16, 13, kGrey, kGreyLight, kGreyDark);
    art.Disc(15.5f, 20.0f, 2.0f, kOutline);
    art.Fill(15, 21, 2, 4, kOutline);
    return art;
}

}  // namespace

std::vector<tools::NamedImage> DrawAchievementIcons()
{
    std::vector<tools::NamedImage> icons;
    for (int i = 0; i < 20; ++i) icons.push_back(Named("achievement_" + TwoDigits(i + 1), Medal(i)));
    icons.push_back(Named("achievement_icon_lock", Lock()));
    return icons;
}

}  // namespace spritegen
