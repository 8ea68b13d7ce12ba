// The HUD's and the message log's sprites: the button bar, its lettered buttons, speed plates and log window parts.
#include "tools/spritegen/hud_art.h"

#include <array>
#include <iostream>
#include <iterator>
#include <set>
#include <string>

#include "tools/fontbuild/glyph_rasterizer.h"
#include "tools/spritegen/lettering.h"
#include "tools/spritegen/pixel_art.h"
#include "tools/spritegen/ui_art.h"
#include "tools/spritegen/ui_palette.h"

namespace spritegen {
namespace {

using namespace ui_style;

constexpr Rgba kYellowLight = Hex(0xFFE9A0);
constexpr Rgba kBlack = Hex(0x15181B);

// Hangul needs 12 pixels before its strokes stand apart (동료 read as 등료 and 의뢰 was a blot at
// 9); kana and Latin letters read at 9.
constexpr ScriptLettering::Sizes kLabelPixels = {9, 9, 12};
constexpr int kLabelCell = 11;
constexpr ScriptLettering::Sizes kLabelCells = {kLabelCell, kLabelCell, 13};
constexpr int kEnglishScript = 1;
constexpr int kTitlePixels = 14;
constexpr int kTitleCell = 17;

// The bar is 52 units high: it places the speed plates on the canvas's bottom edge and puts the
// fixed button-cursor points on their buttons.
constexpr int kFrameWidth = 320;
constexpr int kFrameHeight = 52;

enum class Glyph { kHammer, kFlag, kBook, kScroll, kCrew, kPause };

struct ButtonKind {
    const char* word;
    int width;
    int height;
    int belowCanvas;  // the bottom rows the HUD lays past the canvas's edge
    Glyph glyph;
    tools::Wording words;
};

constexpr ButtonKind kButtons[] = {
    {"build", 64, 48, 3, Glyph::kHammer, {u"けんせつ", u"BUILD", u"건설"}},
    {"ajito", 64, 48, 3, Glyph::kFlag, {u"アジト", u"HIDEOUT", u"아지트"}},
    {"itemdict", 44, 40, 0, Glyph::kBook, {u"ずかん", u"ITEMS", u"도감"}},
    {"questlist", 44, 40, 0, Glyph::kScroll, {u"いらい", u"QUESTS", u"의뢰"}},
    {"allactor", 44, 40, 0, Glyph::kCrew, {u"なかま", u"CREW", u"동료"}},
    {"pause", 80, 36, 1, Glyph::kPause, {u"ポーズ", u"PAUSE", u"일시정지"}},
};

constexpr int kSpeedWidth = 56;
constexpr int kSpeedHeight = 40;

// The bar along the bottom edge: the left half; the right half is the same picture mirrored. A low
// shoulder under the left buttons rises to a higher deck in the middle. The news ticker, drawn before
// the bar, sits in a gap left in the deck's top.
PixelArt Frame()
{
    PixelArt art(kFrameWidth, kFrameHeight);
    constexpr int kShoulder = 10;
    constexpr int kDeck = 2;
    constexpr int kStep = 150;
    // The ticker's background from x 181, 18 units high from one unit above the bar.
    constexpr int kTickerLeft = 181;
    constexpr int kTickerBottom = 17;
    art.Fill(0, kShoulder, kStep, kFrameHeight - kShoulder, kPanel);
    art.Fill(kStep, kDeck, kTickerLeft - kStep, kFrameHeight - kDeck, kPanel);
    art.Fill(kTickerLeft, kTickerBottom, kFrameWidth - kTickerLeft, kFrameHeight - kTickerBottom, kPanel);
    for (int step = 0; step < kShoulder - kDeck; ++step) art.Fill(kStep - kShoulder + kDeck + step, kShoulder - step, kShoulder - kDeck - step, 1, kPanel);
    art.Fill(0, kShoulder + 1, kStep - (kShoulder - kDeck), 1, kFrame);
    for (int step = 0; step < kShoulder - kDeck; ++step) art.Dot(kStep - (kShoulder - kDeck) + step, kShoulder - step, kFrame);
    art.Fill(kStep, kDeck + 1, kTickerLeft - kStep, 1, kFrame);
    art.Fill(0, kShoulder + 3, kStep - (kShoulder - kDeck), 1, kFrameDim);
    art.Fill(kStep, kDeck + 3, kTickerLeft - kStep, 1, kFrameDim);
    for (int x = 12; x < kFrameWidth; x += 24) art.Dot(x, kFrameHeight - 4, kFrameDim);
    return art;
}

void DrawGlyph(PixelArt& art, Glyph glyph, int cx, int top, Rgba ink, Rgba shade)
{
    switch (glyph) {
    case Glyph::kHammer:
        art.Fill(cx - 8, top + 1, 13, 5, ink);
        art.Fill(cx - 8, top + 4, 3, 2, shade);
        art.Fill(cx + 5, top + 2, 3, 2, ink);
        for (int i = 0; i < 11; ++i) art.Fill(cx - 2 + i / 4, top + 6 + i, 3, 1, ink);
        break;
    case Glyph::kFlag:
        art.Fill(cx - 6, top, 2, 16, ink);
        art.Fill(cx - 4, top + 1, 11, 6, kYellow);
        art.Fill(cx - 4, top + 7, 7, 1, shade);
        art.Fill(cx - 9, top + 15, 10, 2, ink);
        break;
    case Glyph::kBook:
        art.Fill(cx - 9, top + 2, 8, 11, ink);
        art.Fill(cx + 1, top + 2, 8, 11, ink);
        art.Fill(cx - 1, top + 2, 2, 12, shade);
        for (int line = 0; line < 3; ++line) {
            art.Fill(cx - 7, top + 5 + line * 3, 5, 1, shade);
            art.Fill(cx + 3, top + 5 + line * 3, 5, 1, shade);
        }
        break;
    case Glyph::kScroll:
        art.Fill(cx - 6, top + 1, 12, 14, ink);
        art.Fill(cx - 7, top, 14, 2, shade);
        art.Fill(cx - 7, top + 14, 14, 2, shade);
        for (int line = 0; line < 3; ++line) art.Fill(cx - 4, top + 4 + line * 3, 8, 1, shade);
        break;
    case Glyph::kCrew:
        for (const int dx : {-5, 5}) {
            art.Disc(static_cast<float>(cx + dx), static_cast<float>(top + 9), 4.5f, ink);
            art.Disc(static_cast<float>(cx + dx - 3), static_cast<float>(top + 4), 2.0f, ink);
            art.Disc(static_cast<float>(cx + dx + 3), static_cast<float>(top + 4), 2.0f, ink);
            art.Dot(cx + dx - 2, top + 8, shade);
            art.Dot(cx + dx + 2, top + 8, shade);
        }
        break;
    case Glyph::kPause:
        art.Fill(cx - 5, top + 1, 4, 12, ink);
        art.Fill(cx + 1, top + 1, 4, 12, ink);
        break;
    }
}

// A bar button: the style's teal button with its glyph on top and its word below, clear of the rows
// the HUD puts past the canvas's edge (a taller word grows upwards). The pressed form is the darker
// twin with everything one unit lower.
PixelArt Button(const ButtonKind& kind, const TextRun& word, bool pressed)
{
    PixelArt art = UIButton(kind.width, kind.height, pressed);
    const int sink = pressed ? 1 : 0;
    const Rgba ink = pressed ? kGreyLight : kWhite;
    DrawGlyph(art, kind.glyph, kind.width / 2, 4 + sink, ink, pressed ? kTealDeep : kOutline);
    if (word.width > kind.width - 4) std::cerr << "warning: the word of \"" << kind.word << "\" is wider than its button\n";
    const int wordBottom = kind.height - kind.belowCanvas - 2;
    DrawText(art, word, (kind.width - word.width) / 2, wordBottom - word.height + sink, ink);
    return art;
}

// Chevrons of a speed plate, one to three, centred on x.
void DrawChevrons(PixelArt& art, int count, int x, int y, Rgba colour)
{
    const int width = count * 7 + 3;
    int left = x - width / 2;
    for (int c = 0; c < count; ++c, left += 7) {
        for (int row = 0; row < 6; ++row) {
            art.Fill(left + row, y + row, 3, 1, colour);
            art.Fill(left + row, y + 11 - row, 3, 1, colour);
        }
    }
}

PixelArt SpeedPlate(int speed, const TextRun& caption, bool pressed)
{
    PixelArt art = UIButton(kSpeedWidth, kSpeedHeight, pressed);
    const int sink = pressed ? 1 : 0;
    art.Fill(6, 5 + sink, kSpeedWidth - 12, 16, kTealDeep);
    DrawChevrons(art, speed, kSpeedWidth / 2, 7 + sink, pressed ? kFrameDim : kFrame);
    DrawText(art, caption, (kSpeedWidth - caption.width) / 2, kSpeedHeight - kLabelCell - 3 + sink, pressed ? kGreyLight : kWhite);
    return art;
}

// The lamp lies over its plate, centred one unit right of the plate's centre: lit chevrons in the
// plate's window and a glowing rim.
PixelArt SpeedLamp(int speed)
{
    constexpr int kWidth = kSpeedWidth - 2;
    constexpr int kHeight = kSpeedHeight - 2;
    PixelArt art(kWidth, kHeight);
    art.Frame(0, 0, kWidth, kHeight, Hex(0xF2C94C, 200));
    art.Frame(1, 1, kWidth - 2, kHeight - 2, Hex(0xF2C94C, 90));
    // The plate's window in the lamp's own units (the lamp starts 2 right of the plate, 1 down).
    art.Fill(4, 4, kSpeedWidth - 12, 16, Hex(0xF2C94C, 60));
    DrawChevrons(art, speed, kSpeedWidth / 2 - 2, 6, kYellowLight);
    return art;
}

// Covers the hideout button until a hideout is in reach: a hazard plate with a padlock.
PixelArt HideoutBlock()
{
    PixelArt art(64, 48);
    art.RoundFill(0, 0, 64, 48, kOutline);
    for (int y = 1; y < 47; ++y) {
        for (int x = 1; x < 63; ++x) art.Dot(x, y, ((x + y) / 6) % 2 == 0 ? kYellow : kBlack);
    }
    art.RoundFill(20, 12, 24, 24, kOutline);
    art.Ring(32.0f, 19.5f, 5.5f, 1.6f, kGreyLight);
    art.Fill(24, 21, 16, 12, kGreyLight);
    art.Fill(31, 25, 2, 4, kOutline);
    return art;
}

// A heading set large with a dark rim, for the log's title.
PixelArt Heading(const TextRun& run) { return RimmedLettering(run, kTitleCell, kOutline, kTealDeep, kTealLight); }

PixelArt DateBackground()
{
    PixelArt art = UIPanel(162, 66);
    art.Fill(3, 3, 156, 14, kTealDeep);
    return art;
}

PixelArt Separator(int width)
{
    PixelArt art(width, 2);
    for (int x = 0; x < width; x += 2) art.Dot(x, 0, kFrameDim);
    art.Fill(0, 1, width, 1, Hex(0x000000, 90));
    return art;
}

// Scan lines laid over the window after its texts: every other row a little darker.
PixelArt ScanLines(int width, int height)
{
    PixelArt art(width, height);
    for (int y = 0; y < height; y += 2) art.Fill(0, y, width, 1, Hex(0x000000, 34));
    art.Fill(0, 0, width, 1, Hex(0x9FE3DA, 60));
    return art;
}

}  // namespace

std::vector<tools::NamedImage> DrawHudSprites(const std::vector<std::string>& fontFiles)
{
    constexpr tools::Wording kSpeedCaptions[3] = {{u"x1", u"x1", u"x1"}, {u"x2", u"x2", u"x2"}, {u"x3", u"x3", u"x3"}};
    constexpr std::u16string_view kTitle = u"メッセージログ";
    constexpr std::u16string_view kTitleEnglish = u"MESSAGE LOG";
    std::vector<tools::Wording> labelWords(std::begin(kSpeedCaptions), std::end(kSpeedCaptions));
    for (const ButtonKind& kind : kButtons) labelWords.push_back(kind.words);
    std::set<char16_t> titleCodes;
    AddCodes(titleCodes, kTitle);
    AddCodes(titleCodes, kTitleEnglish);
    ScriptLettering labels;
    tools::GlyphRasterizer titles;
    if (!labels.Prepare(fontFiles, kLabelPixels, kLabelCells, labelWords) ||
        !PrepareRasterizer(titles, fontFiles, kTitlePixels, kTitleCell, titleCodes)) {
        std::cerr << "error: the HUD's buttons need a font\n";
        return {};
    }

    std::vector<tools::NamedImage> sprites;
    sprites.push_back(Named("ui_common_frame", Frame()));
    sprites.push_back(Named("ui_common_ajito_block", HideoutBlock()));
    for (const ButtonKind& kind : kButtons) {
        AddLetteredButtons(sprites, std::string("ui_common_") + kind.word, labels, kind.words,
                           [&](const TextRun& word, bool pressed) { return Button(kind, word, pressed); });
    }
    for (int speed = 1; speed <= 3; ++speed) {
        const std::string base = "ui_common_speedx" + std::to_string(speed);
        const TextRun caption = labels.Set(kSpeedCaptions[speed - 1], kEnglishScript);
        sprites.push_back(Named(base + "_base", SpeedPlate(speed, caption, false)));
        sprites.push_back(Named(base + "_base_touch", SpeedPlate(speed, caption, true)));
        sprites.push_back(Named(base + "_on", SpeedLamp(speed)));
    }
    if (labels.Clipped()) std::cerr << "warning: the HUD's button letters are cut at the cell's edge\n";
    sprites.push_back(Named("ui_text_messagelog", Heading(SetText(titles, kTitle))));
    sprites.push_back(Named("ui_text_messagelog_eng", Heading(SetText(titles, kTitleEnglish))));
    sprites.push_back(Named("ui_diary_datebg", DateBackground()));
    sprites.push_back(Named("ui_separator_left", Separator(245)));
    sprites.push_back(Named("ui_separator_right_short", Separator(160)));
    sprites.push_back(Named("ui_windowbase_scan_title", ScanLines(442, 29)));
    sprites.push_back(Named("ui_windowbase_scan_main", ScanLines(442, 207)));
    return sprites;
}

}  // namespace spritegen
