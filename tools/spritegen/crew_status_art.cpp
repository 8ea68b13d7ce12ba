// The crew status window's sprites: pointing lines, the name plate, gauge frames, arrows, buttons, meter words and the rat at work.
#include "tools/spritegen/crew_status_art.h"

#include <iostream>
#include <set>
#include <string_view>

#include "tools/fontbuild/glyph_rasterizer.h"
#include "tools/spritegen/crew_art.h"
#include "tools/spritegen/lettering.h"
#include "tools/spritegen/pixel_art.h"
#include "tools/spritegen/ui_art.h"
#include "tools/spritegen/ui_palette.h"

namespace spritegen {
namespace {

using namespace ui_style;

// The window lays the line out from (21, 138) and mirrors it about the canvas' middle, so its far
// end stops short of the crew member drawn three times its size at the centre.
constexpr int kLineWidth = 214;
constexpr int kLineHeight = 35;
constexpr int kLineRun = 170;
constexpr int kWordPixels = 7;
constexpr int kWordCell = 9;

PixelArt PointingLine()
{
    PixelArt art(kLineWidth, kLineHeight);
    art.Fill(0, 0, kLineRun, 1, kTealLight);
    art.Line(kLineRun, 0, kLineWidth - 4, kLineHeight - 4, kTealLight);
    art.Fill(0, 1, kLineRun, 1, Hex(0x10161B, 140));
    art.OutlinedDisc(static_cast<float>(kLineWidth - 3), static_cast<float>(kLineHeight - 3), 2.5f, kOutline, kYellow);
    return art;
}

// A small name tag with a string hole, left of the name.
PixelArt NamePlate()
{
    PixelArt art(28, 10);
    art.OutlinedRoundFill(0, 0, 28, 10, kOutline, kTeal);
    art.Fill(2, 1, 24, 1, kTealLight);
    art.Disc(4.5f, 5.0f, 1.2f, kOutline);
    for (int x = 9; x < 25; x += 3) art.Fill(x, 4, 2, 2, kCream);
    return art;
}

// The trough a meter's bar fills: room for its word on the left, then the bar from x 35 on.
PixelArt GaugeFrame()
{
    PixelArt art(194, 14);
    art.OutlinedRoundFill(0, 0, 194, 14, kFrameDim, kPanel);
    art.Fill(34, 1, 156, 10, kOutline);
    art.Frame(34, 1, 156, 10, kFrameDim);
    return art;
}

PixelArt Arrow(bool right)
{
    PixelArt art(22, 24);
    art.OutlinedRoundFill(0, 0, 22, 24, kOutline, kTeal);
    for (int row = 0; row < 13; ++row) {
        const int reach = row < 7 ? row : 12 - row;
        const int x = right ? 7 + reach : 14 - reach - 3;
        art.Fill(x, 6 + row, 3, 1, kWhite);
    }
    return art;
}

// A meter's word, in cream on a dark rim so it reads over the window's dim cover.
PixelArt Word(const TextRun& run) { return RimmedLettering(run, kWordCell - 2, kOutline, kOutline, kCream); }

struct MeterWord {
    const char* name;
    std::u16string_view japanese;
    std::u16string_view english;
};

constexpr MeterWord kMeterWords[] = {
    {"ui_text_stamina", u"スタミナ", u"STA"},
    {"ui_text_calorie", u"カロリー", u"CAL"},
};

}  // namespace

std::vector<tools::NamedImage> DrawCrewStatusSprites(const std::vector<std::string>& fontFiles)
{
    std::set<char16_t> codes;
    AddCodes(codes, u"HP");
    for (const MeterWord& word : kMeterWords) {
        AddCodes(codes, word.japanese);
        AddCodes(codes, word.english);
    }
    tools::GlyphRasterizer words;
    if (!PrepareRasterizer(words, fontFiles, kWordPixels, kWordCell, codes)) {
        std::cerr << "error: the crew status window's meter words need a font\n";
        return {};
    }

    std::vector<tools::NamedImage> sprites;
    sprites.push_back(Named("ui_pointingline", PointingLine()));
    sprites.push_back(Named("ui_text_actorname", NamePlate()));
    sprites.push_back(Named("ui_actorstatus_gauge_frame", GaugeFrame()));
    sprites.push_back(Named("ui_actorstatus_left", Arrow(false)));
    sprites.push_back(Named("ui_actorstatus_right", Arrow(true)));
    sprites.push_back(Named("ui_enterbutton10", UIButton(136, 22, false)));
    sprites.push_back(Named("ui_enterbutton10_touch", UIButton(136, 22, true)));
    sprites.push_back(Named("ui_text_hp", Word(SetText(words, u"HP"))));
    for (const MeterWord& word : kMeterWords) {
        sprites.push_back(Named(std::string(word.name) + "_jp", Word(SetText(words, word.japanese))));
        sprites.push_back(Named(std::string(word.name) + "_en", Word(SetText(words, word.english))));
    }
    sprites.push_back(DrawWorkingRatSprite());
    return sprites;
}

}  // namespace spritegen
