// The crew panel's sprites: its frame, its separator and the skill, buff and debuff icons.
#include "tools/spritegen/crew_panel_art.h"

#include "tools/spritegen/pixel_art.h"
#include "tools/spritegen/ui_palette.h"

namespace spritegen {
namespace {

using namespace ui_style;

constexpr int kIcon = 14;

PixelArt PanelFrame()
{
    PixelArt art(182, 56);
    art.RoundFill(0, 0, 182, 56, Hex(0x1E2A33, 150));
    art.Frame(0, 0, 182, 56, kFrameDim);
    // The face's corner and the traits' column.
    art.Fill(2, 2, 20, 2, kTealLight);
    art.Fill(56, 3, 1, 50, kFrameDim);
    return art;
}

// A round badge in the kind's colour with its sign: a star for a skill, an up arrow for a buff, a
// down arrow for a debuff.
PixelArt KindIcon(Rgba colour, int sign)
{
    PixelArt art(kIcon, kIcon);
    art.OutlinedDisc(6.5f, 6.5f, 6.5f, kOutline, colour);
    switch (sign) {
    case 0:
        art.Fill(6, 3, 2, 8, kWhite);
        art.Fill(3, 6, 8, 2, kWhite);
        art.Line(4, 4, 9, 9, kWhite);
        art.Line(9, 4, 4, 9, kWhite);
        break;
    case 1:
        for (int row = 0; row < 4; ++row) art.Fill(6 - row, 3 + row, 2 + 2 * row, 1, kWhite);
        art.Fill(6, 7, 2, 4, kWhite);
        break;
    default:
        art.Fill(6, 3, 2, 4, kWhite);
        for (int row = 0; row < 4; ++row) art.Fill(3 + row, 7 + row, 8 - 2 * row, 1, kWhite);
        break;
    }
    return art;
}

PixelArt FadingLine(int width)
{
    PixelArt art(width, 1);
    for (int x = 0; x < width; ++x) art.Dot(x, 0, Hex(0xA8C6D6, static_cast<uint8_t>(200 - 160 * x / width)));
    return art;
}

}  // namespace

std::vector<tools::NamedImage> DrawCrewPanelSprites()
{
    std::vector<tools::NamedImage> sprites;
    sprites.push_back(Named("ui_buildmanger_frame", PanelFrame()));
    sprites.push_back(Named("ui_buildmanger_separator_right", FadingLine(100)));
    sprites.push_back(Named("ui_icon_skill", KindIcon(Hex(0xD9A21B), 0)));
    sprites.push_back(Named("ui_icon_buff", KindIcon(kGreen, 1)));
    sprites.push_back(Named("ui_icon_nerf", KindIcon(kRed, 2)));
    return sprites;
}

}  // namespace spritegen
