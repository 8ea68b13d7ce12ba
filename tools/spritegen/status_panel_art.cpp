// The ship status strip's sprites: the gauge plates, the clock and money plate, the distance meter's parts and the small marks beside the figures.
#include "tools/spritegen/status_panel_art.h"

#include <array>
#include <string_view>

#include "tools/spritegen/pixel_art.h"
#include "tools/spritegen/tiny_font.h"
#include "tools/spritegen/ui_palette.h"

namespace spritegen {
namespace {

using namespace ui_style;

// The strip lays its digits 6 units apart with their glyphs one unit below the digit's top; a row's
// glyphs stand 5 high, the rows 6 apart starting at y 5.
constexpr int kGaugePlateWidth = 168;
constexpr int kGaugeRowTop = 5;
constexpr int kRowStep = 6;
constexpr int kBarTroughX = 30;
constexpr int kBarTroughWidth = 66;
constexpr int kGaugeSlashX = 130;
constexpr int kDistancePlateWidth = 142;
constexpr int kDistancePlateHeight = 26;
constexpr int kMeterX = 6;
constexpr int kMeterY = 5;
constexpr int kMeterWidth = 70;
constexpr int kMeterHeight = 18;

void DrawWord(PixelArt& art, std::string_view word, int x, int y, Rgba ink)
{
    for (char name : word) {
        DrawTinyGlyph(art, name, x + 1, y + 1, kOutline);
        DrawTinyGlyph(art, name, x, y, ink);
        x += 4;
    }
}

// The gauge rows: a name, the bar's dark trough and the slash between a figure and its maximum.
PixelArt GaugePlate(bool withCalories)
{
    const std::array<std::string_view, 3> names{"HP", "FUEL", "CAL"};
    const std::array<Rgba, 3> accents{Hex(0x03C2FD), Hex(0xFD5203), Hex(0xDCFD03)};
    const int rows = withCalories ? 3 : 2;
    PixelArt art(kGaugePlateWidth, kGaugeRowTop + rows * kRowStep + 3);
    art.RoundFill(0, 0, art.Width(), art.Height(), kPanel);
    art.Frame(1, 1, art.Width() - 2, art.Height() - 2, kFrameDim);
    for (int row = 0; row < rows; ++row) {
        const int y = kGaugeRowTop + row * kRowStep;
        const auto index = static_cast<std::size_t>(row);
        art.Fill(3, y, 1, 5, accents[index]);
        DrawWord(art, names[index], 6, y, kCream);
        art.Fill(kBarTroughX, y, kBarTroughWidth, 6, kOutline);
        art.Fill(kBarTroughX + 1, y + 1, kBarTroughWidth - 2, 4, kTealDeep);
        DrawWord(art, "/", kGaugeSlashX, y, kGreyLight);
    }
    return art;
}

// The meter's trough with a tick every quarter of the road.
void DrawMeterTrough(PixelArt& art, int x, int y)
{
    art.Fill(x, y, kMeterWidth, kMeterHeight, kOutline);
    art.Fill(x + 1, y + 1, kMeterWidth - 2, kMeterHeight - 2, kTealDeep);
    art.Fill(x + 5, y + kMeterHeight / 2, 64, 1, kFrameDim);
    for (int quarter = 0; quarter <= 4; ++quarter) art.Fill(x + 5 + quarter * 16 - (quarter == 4 ? 1 : 0), y + 6, 1, 7, kFrameDim);
}

// The clock, money and crew figures on the right, the distance meter on the left of it.
PixelArt DistancePlate()
{
    PixelArt art(kDistancePlateWidth, kDistancePlateHeight);
    art.RoundFill(0, 0, art.Width(), art.Height(), kPanel);
    art.Frame(1, 1, art.Width() - 2, art.Height() - 2, kFrameDim);
    DrawMeterTrough(art, kMeterX, kMeterY);
    art.Fill(92, 16, 46, 1, kFrameDim);
    DrawWord(art, "/", 115, 18, kGreyLight);
    return art;
}

PixelArt MeterBackground()
{
    PixelArt art(kMeterWidth, kMeterHeight);
    DrawMeterTrough(art, 0, 0);
    return art;
}

// Which way the ship goes along the meter: an arrow to the right (the panel mirrors it).
PixelArt DirectionArrow()
{
    PixelArt art(4, 12);
    for (int x = 0; x < 4; ++x) art.Fill(x, 2 + x, 1, 8 - 2 * x, kYellow);
    return art;
}

// The ship on the meter: a small hull on its wheels.
PixelArt PositionIcon()
{
    PixelArt art(6, 12);
    art.Fill(2, 1, 1, 4, kCream);  // mast
    art.Fill(3, 1, 2, 2, kRed);    // pennant
    art.OutlinedFill(0, 5, 6, 5, kOutline, kYellow);
    art.Dot(1, 10, kGreyLight);
    art.Dot(4, 10, kGreyLight);
    art.Fill(0, 11, 6, 1, kOutline);
    return art;
}

// Faint lines every other row over the meter.
PixelArt ScanLine()
{
    PixelArt art(kMeterWidth, 16);
    for (int y = 0; y < 16; y += 2) art.Fill(1, y, kMeterWidth - 2, 1, Hex(0xFFFFFF, 28));
    return art;
}

PixelArt CountMark()
{
    PixelArt art(5, 8);
    art.Line(0, 2, 3, 5, kCream);
    art.Line(0, 5, 3, 2, kCream);
    return art;
}

PixelArt DollarMark()
{
    PixelArt art(5, 10);
    art.Fill(2, 0, 1, 9, kYellow);
    art.Fill(0, 2, 4, 1, kYellow);
    art.Dot(0, 3, kYellow);
    art.Fill(0, 4, 4, 1, kYellow);
    art.Dot(3, 5, kYellow);
    art.Fill(0, 6, 4, 1, kYellow);
    return art;
}

PixelArt Colon()
{
    PixelArt art(3, 8);
    art.Dot(1, 1, kCream);
    art.Dot(1, 3, kCream);
    return art;
}

// A rat's head seen from the front: two round ears, the face and a pink nose.
PixelArt FaceOnly()
{
    PixelArt art(12, 10);
    art.Disc(2.5f, 2.5f, 2.3f, kGreyLight);
    art.Disc(9.5f, 2.5f, 2.3f, kGreyLight);
    art.Disc(6.0f, 5.5f, 4.0f, kCream);
    art.Dot(4, 5, kOutline);
    art.Dot(7, 5, kOutline);
    art.Fill(5, 7, 2, 1, kRed);
    return art;
}

}  // namespace

std::vector<tools::NamedImage> DrawStatusPanelSprites()
{
    std::vector<tools::NamedImage> sprites;
    sprites.push_back(Named("ui_main_hpfuel_base", GaugePlate(false)));
    sprites.push_back(Named("ui_main_hpfuelcal_base", GaugePlate(true)));
    sprites.push_back(Named("ui_main_distance_base", DistancePlate()));
    sprites.push_back(Named("ui_distancemater_background", MeterBackground()));
    sprites.push_back(Named("ui_distancemater_direction", DirectionArrow()));
    sprites.push_back(Named("ui_distancemater_positionicon", PositionIcon()));
    sprites.push_back(Named("ui_meter_scanline", ScanLine()));
    sprites.push_back(Named("ui_text_kosuu", CountMark()));
    sprites.push_back(Named("ui_text_dollar", DollarMark()));
    sprites.push_back(Named("ui_text_colon", Colon()));
    sprites.push_back(Named("ui_icon_actor_faceonly", FaceOnly()));
    return sprites;
}

}  // namespace spritegen
