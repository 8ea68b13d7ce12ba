// The engine room screen's sprites: the mode plate with its lever and cap, the option rows, the speed and fuel symbols and the page's headings.
#include "tools/spritegen/engine_room_art.h"

#include <utility>

#include "tools/spritegen/arcade_art.h"
#include "tools/spritegen/pixel_art.h"
#include "tools/spritegen/room_screen_art.h"
#include "tools/spritegen/ui_art.h"
#include "tools/spritegen/ui_palette.h"

namespace spritegen {
namespace {

using namespace ui_style;

constexpr Rgba kBrass = Hex(0xD9A441);
constexpr Rgba kBrassDark = Hex(0x8A6424);
constexpr Rgba kSteel = Hex(0x8E9AA2);
constexpr Rgba kSteelDark = Hex(0x4B555C);

constexpr RoomHeading kEngineHeadings[] = {
    {"ui_text_speed", {u"速度", u"SPEED", u"속도"}},
    {"ui_text_fuel_rate", {u"燃費", u"FUEL RATE", u"연비"}},
    {"ui_text_mode_change", {u"モード変更", u"MODE", u"모드 변경"}},
};

// The plate the lever swings over: a gate with three notches, one per mode, facing the option rows.
PixelArt ModeBase()
{
    PixelArt art = UIPanel(132, 112);
    art.Fill(6, 6, 120, 2, kTealDeep);
    // The arc the lever's tip runs along, with the notches of over-limit, connected and stopped.
    for (int notch = 0; notch < 3; ++notch) {
        const int y = 18 + notch * 37;
        art.OutlinedFill(112, y, 14, 7, kOutline, notch == 0 ? kRed : notch == 1 ? kGreen : kGrey);
    }
    art.Fill(118, 20, 2, 82, kFrameDim);
    return art;
}

// The lever: a steel arm ending in a brass knob on its right; it turns about a point left of itself.
PixelArt Lever()
{
    PixelArt art(108, 12);
    art.OutlinedFill(0, 3, 96, 6, kOutline, kSteel);
    art.Fill(1, 4, 94, 1, kGreyLight);
    art.Fill(1, 7, 94, 1, kSteelDark);
    art.OutlinedDisc(101.5f, 5.5f, 5.5f, kOutline, kBrass);
    art.Disc(100.0f, 4.0f, 1.5f, Hex(0xF6D58A));
    return art;
}

// The housing over the lever's root.
PixelArt ModeCap()
{
    PixelArt art(30, 90);
    art.OutlinedRoundFill(0, 0, 30, 90, kOutline, kSteelDark);
    art.Fill(3, 3, 24, 2, kSteel);
    for (int bolt = 0; bolt < 2; ++bolt) art.OutlinedDisc(14.5f, 12.5f + 64.0f * static_cast<float>(bolt), 3.0f, kOutline, kBrassDark);
    art.Fill(4, 40, 22, 10, kOutline);
    return art;
}

// An option row's frame; the selected form is filled.
PixelArt OptionRow(bool selected)
{
    PixelArt art(258, 36);
    if (selected) {
        art.Fill(0, 0, 258, 36, Hex(0x9FE3DA, 60));
        art.Frame(0, 0, 258, 36, kTealLight);
    } else {
        art.Fill(0, 34, 258, 1, kFrameDim);
        art.Fill(0, 35, 258, 1, Hex(0x000000, 90));
        art.Fill(0, 0, 2, 34, kTealDeep);
    }
    return art;
}

// A speedometer's needle.
PixelArt SpeedSymbol()
{
    PixelArt art = ItemSymbolBadge(kTealLight);
    art.Line(4, 10, 10, 5, kYellow);
    art.Fill(7, 9, 2, 2, kWhite);
    return art;
}

// A fuel drop.
PixelArt FuelSymbol()
{
    PixelArt art = ItemSymbolBadge(kBrass);
    art.Disc(7.5f, 9.0f, 3.0f, kBrass);
    art.Fill(7, 4, 2, 3, kBrass);
    return art;
}

}  // namespace

std::vector<tools::NamedImage> DrawEngineRoomSprites(const std::vector<std::string>& fontFiles)
{
    std::vector<tools::NamedImage> sprites = DrawRoomHeadings(fontFiles, kEngineHeadings);
    if (sprites.empty()) return {};
    sprites.push_back(Named("ui_engineroom_mode_base", ModeBase()));
    sprites.push_back(Named("ui_engineroom_mode_frame_1", Lever()));
    sprites.push_back(Named("ui_engineroom_mode_cap", ModeCap()));
    sprites.push_back(Named("ui_separator_engine", OptionRow(false)));
    sprites.push_back(Named("ui_separator_engine_selected", OptionRow(true)));
    sprites.push_back(Named("dot_itemsymbol_54", SpeedSymbol()));
    sprites.push_back(Named("dot_itemsymbol_20", FuelSymbol()));
    return sprites;
}

}  // namespace spritegen
