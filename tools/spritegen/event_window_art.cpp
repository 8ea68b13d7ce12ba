// The event window's sprites: its panel, the two side pieces, the line separator and the picture mark.
#include "tools/spritegen/event_window_art.h"

#include "tools/spritegen/pixel_art.h"
#include "tools/spritegen/ui_palette.h"

namespace spritegen {
namespace {

using namespace ui_style;

constexpr Rgba kParchment = Hex(0x2B2520, 236);
constexpr Rgba kParchmentEdge = Hex(0x3A3129, 240);
constexpr Rgba kWood = Hex(0x8A6424);
constexpr Rgba kWoodLight = Hex(0xD9A441);
constexpr Rgba kWoodDark = Hex(0x4E3814);

// The panel the lines are written on: a dark sheet with a soft inner border.
PixelArt Panel()
{
    PixelArt art(352, 186);
    art.Fill(0, 0, 352, 186, kParchment);
    art.Frame(0, 0, 352, 186, kOutline);
    art.Frame(1, 1, 350, 184, kParchmentEdge);
    art.Frame(4, 4, 344, 178, Hex(0x6B5A48, 140));
    return art;
}

// A rolled edge: a wooden rod with caps that stand out above and below the panel.
PixelArt Rod()
{
    PixelArt art(9, 196);
    art.OutlinedFill(1, 4, 7, 188, kOutline, kWood);
    art.Fill(3, 5, 2, 186, kWoodLight);
    art.Fill(6, 5, 1, 186, kWoodDark);
    art.OutlinedRoundFill(0, 0, 9, 7, kOutline, kWoodLight);
    art.OutlinedRoundFill(0, 189, 9, 7, kOutline, kWoodLight);
    return art;
}

// The faint rule under a line of text.
PixelArt Separator()
{
    PixelArt art(318, 2);
    art.Fill(0, 0, 318, 1, Hex(0x8C7A63, 110));
    art.Fill(0, 1, 318, 1, Hex(0x000000, 70));
    return art;
}

// A small framed-picture mark.
PixelArt PictureMark()
{
    PixelArt art(14, 12);
    art.OutlinedFill(0, 0, 14, 12, kOutline, kCream);
    art.Fill(2, 2, 10, 8, Hex(0x7FB7D9));
    art.Fill(2, 7, 10, 3, Hex(0xD9B26A));
    art.Disc(9.5f, 4.5f, 1.5f, kYellow);
    return art;
}

}  // namespace

std::vector<tools::NamedImage> DrawEventWindowSprites()
{
    return {
        Named("ui_eventwindow_bg", Panel()),
        Named("ui_eventwindow_icon", PictureMark()),
        Named("ui_eventwindow_left", Rod()),
        Named("ui_eventwindow_right", Rod()),
        Named("ui_eventwindow_separator", Separator()),
    };
}

}  // namespace spritegen
