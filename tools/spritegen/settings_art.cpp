// The sprites of the options and binding windows: row separators, the row highlight, the wide buttons and the binding marks.
#include "tools/spritegen/settings_art.h"

#include <cstdint>

#include "tools/spritegen/pixel_art.h"
#include "tools/spritegen/ui_art.h"
#include "tools/spritegen/ui_palette.h"

namespace spritegen {
namespace {

using namespace ui_style;

constexpr int kRowWidth = 412;
constexpr int kRowHeight = 17;

// A line brightest in the middle, fading to both ends.
PixelArt BigSeparator()
{
    PixelArt art(kRowWidth, 1);
    for (int x = 0; x < kRowWidth; ++x) {
        const int fromEdge = x < kRowWidth / 2 ? x : kRowWidth - 1 - x;
        art.Dot(x, 0, Hex(0xA8C6D6, static_cast<std::uint8_t>(40 + 160 * fromEdge / (kRowWidth / 2))));
    }
    return art;
}

// A faint teal band with a bright left edge.
PixelArt RowHighlight(int width, Rgba band, Rgba edge)
{
    PixelArt art(width, kRowHeight + 2);
    art.Fill(0, 0, width, kRowHeight + 2, band);
    art.Fill(0, 0, 2, kRowHeight + 2, edge);
    return art;
}

// A rounded outline round the name of a binding.
PixelArt BindingFrame()
{
    PixelArt art(74, kRowHeight);
    art.RoundFill(0, 0, 74, kRowHeight, Hex(0x10161B, 150));
    art.Frame(1, 1, 72, kRowHeight - 2, kFrameDim);
    return art;
}

}  // namespace

std::vector<tools::NamedImage> DrawSettingsSprites()
{
    std::vector<tools::NamedImage> sprites;
    sprites.push_back(Named("ui_separator_big", BigSeparator()));
    sprites.push_back(Named("ui_option_select_highlight", RowHighlight(396, Hex(0x9FE3DA, 60), kTealLight)));
    sprites.push_back(Named("ui_keyconfig_highlight_changed", RowHighlight(394, Hex(0xF2D16B, 50), kYellow)));
    sprites.push_back(Named("ui_keyconfig_frame_left", BindingFrame()));
    sprites.push_back(Named("ui_enterbutton8", UIButton(116, 20, false)));
    sprites.push_back(Named("ui_enterbutton8_touch", UIButton(116, 20, true)));
    return sprites;
}

}  // namespace spritegen
