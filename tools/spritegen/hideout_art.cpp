// The hideout menu's sprites: the four facility cards with their names, the column's separators and the hideout headings.
#include "tools/spritegen/hideout_art.h"

#include <cstdint>
#include <iostream>
#include <set>
#include <string>
#include <utility>

#include "tools/fontbuild/glyph_rasterizer.h"
#include "tools/spritegen/lettering.h"
#include "tools/spritegen/pixel_art.h"
#include "tools/spritegen/room_screen_art.h"
#include "tools/spritegen/ui_palette.h"

namespace spritegen {
namespace {

using namespace ui_style;

constexpr int kCardWidth = 128;
constexpr int kCardHeight = 78;
// The strip a card half covered by the next one still shows: 38 units are left in sight.
constexpr int kStripHeight = 30;
constexpr int kNamePixels = 11;
constexpr int kNameCell = 14;
constexpr Rgba kSky = Hex(0xF2C98A);
constexpr Rgba kSand = Hex(0xD9A55B);
constexpr Rgba kSandDark = Hex(0xA8763A);
constexpr Rgba kWood = Hex(0x7A4E2B);
constexpr Rgba kWoodDark = Hex(0x4F3219);

struct Facility {
    const char* name;
    tools::Wording words;
    Rgba strip;
};

constexpr Facility kFacilities[] = {
    {"ui_ajito_button_fuel", {u"ガソリンスタンド", u"GAS STATION", u"주유소"}, Hex(0xB8463C)},
    {"ui_ajito_button_market", {u"マーケット", u"MARKET", u"마켓"}, Hex(0x3C7A4A)},
    {"ui_ajito_button_quest", {u"クエストボード", u"QUEST BOARD", u"퀘스트 게시판"}, Hex(0x3C5A8A)},
    {"ui_ajito_button_pub", {u"酒場", u"PUB", u"주점"}, Hex(0x8A5A2C)},
};

constexpr RoomHeading kHeadings[] = {
    {"ui_text_ajito", {u"アジト", u"HIDEOUT", u"아지트"}},
    {"ui_text_distance", {u"距離", u"DISTANCE", u"거리"}},
    {"ui_text_quest", {u"クエスト", u"QUESTS", u"퀘스트"}},
    {"ui_text_gas", {u"燃料", u"FUEL", u"연료"}},
    {"ui_text_shop", {u"ショップ", u"SHOP", u"상점"}},
};

// The scene under a card's strip: sky, dunes and the facility's own building.
void DrawBackdrop(PixelArt& art)
{
    art.Fill(2, kStripHeight, kCardWidth - 4, kCardHeight - kStripHeight - 2, kSky);
    for (int x = 2; x < kCardWidth - 2; ++x) {
        const int rise = (x * 7 / 16) % 12 < 6 ? (x * 7 / 16) % 6 : 6 - (x * 7 / 16) % 6;
        art.Fill(x, kCardHeight - 18 - rise, 1, 16 + rise, kSand);
    }
    art.Fill(2, kCardHeight - 6, kCardWidth - 4, 4, kSandDark);
}

// A pump with its hose, beside a barrel.
void DrawFuel(PixelArt& art)
{
    art.OutlinedFill(54, 40, 20, 30, kOutline, Hex(0xD8463C));
    art.Fill(58, 44, 12, 8, kCream);
    art.Fill(74, 46, 8, 2, kOutline);
    art.Fill(80, 46, 2, 16, kOutline);
    art.OutlinedFill(88, 54, 14, 16, kOutline, kGrey);
    art.Fill(88, 60, 14, 2, kOutline);
}

// A stall under a striped awning with crates in front.
void DrawMarket(PixelArt& art)
{
    for (int i = 0; i < 8; ++i) art.Fill(34 + i * 8, 38, 8, 8, i % 2 == 0 ? Hex(0x3C9A5A) : kCream);
    art.Fill(36, 46, 2, 24, kWoodDark);
    art.Fill(96, 46, 2, 24, kWoodDark);
    art.OutlinedFill(44, 58, 14, 12, kOutline, kWood);
    art.OutlinedFill(60, 60, 12, 10, kOutline, kSandDark);
    art.OutlinedFill(74, 56, 16, 14, kOutline, kWood);
}

// A notice board on two posts with pinned papers.
void DrawQuest(PixelArt& art)
{
    art.Fill(44, 54, 3, 18, kWoodDark);
    art.Fill(82, 54, 3, 18, kWoodDark);
    art.OutlinedFill(38, 36, 54, 24, kOutline, kWood);
    art.Fill(44, 40, 12, 14, kCream);
    art.Fill(60, 42, 10, 12, kCream);
    art.Fill(74, 39, 12, 15, kCream);
    for (int x : {49, 64, 79}) art.Dot(x, 41, kRed);
}

// A low house with a lit window and a mug sign.
void DrawPub(PixelArt& art)
{
    art.OutlinedFill(40, 44, 50, 28, kOutline, kSandDark);
    for (int row = 0; row < 8; ++row) art.Fill(38 + row, 44 - row, 54 - 2 * row, 1, kWoodDark);
    art.OutlinedFill(48, 52, 12, 10, kOutline, kYellow);
    art.OutlinedFill(70, 54, 10, 18, kOutline, kWood);
    art.OutlinedFill(94, 42, 12, 12, kOutline, kCream);
    art.Fill(96, 44, 8, 8, Hex(0xE8B04A));
}

PixelArt Card(const Facility& facility, const TextRun& word, int index)
{
    PixelArt art(kCardWidth, kCardHeight);
    art.OutlinedRoundFill(0, 0, kCardWidth, kCardHeight, kOutline, kPanel);
    art.Fill(2, 2, kCardWidth - 4, kStripHeight - 2, facility.strip);
    art.Fill(2, 2, kCardWidth - 4, 1, kCream);
    art.Fill(2, kStripHeight - 1, kCardWidth - 4, 1, kOutline);
    DrawBackdrop(art);
    switch (index) {
    case 0: DrawFuel(art); break;
    case 1: DrawMarket(art); break;
    case 2: DrawQuest(art); break;
    default: DrawPub(art); break;
    }
    art.Frame(1, 1, kCardWidth - 2, kCardHeight - 2, kFrame);
    const int x = (kCardWidth - word.width) / 2;
    DrawText(art, word, x + 1, 9, kOutline);
    DrawText(art, word, x, 8, kWhite);
    return art;
}

// A thin upright line, bright at the top and fading downwards; the right one mirrors the left one's shade.
PixelArt VerticalSeparator(bool left)
{
    constexpr int kHeight = 180;
    PixelArt art(3, kHeight);
    for (int y = 0; y < kHeight; ++y) {
        const auto alpha = static_cast<std::uint8_t>(230 - 190 * y / kHeight);
        art.Dot(left ? 0 : 2, y, Hex(0x9FE3DA, alpha));
        art.Dot(1, y, Hex(0x17393D, 200));
    }
    return art;
}

}  // namespace

std::vector<tools::NamedImage> DrawHideoutSprites(const std::vector<std::string>& fontFiles)
{
    std::set<char16_t> codes;
    for (const Facility& facility : kFacilities) AddCodes(codes, facility.words);
    tools::GlyphRasterizer names;
    std::vector<tools::NamedImage> headings = DrawRoomHeadings(fontFiles, kHeadings);
    if (headings.empty() || !PrepareRasterizer(names, fontFiles, kNamePixels, kNameCell, codes)) {
        std::cerr << "error: the hideout menu's cards need a font\n";
        return {};
    }
    std::vector<tools::NamedImage> sprites;
    int index = 0;
    for (const Facility& facility : kFacilities) {
        for (int script = 0; script < tools::kScripts; ++script) {
            sprites.push_back(Named(std::string(facility.name) + tools::kScriptSuffixes[script],
                                    Card(facility, SetText(names, tools::InScript(facility.words, script)), index)));
        }
        ++index;
    }
    sprites.push_back(Named("ui_separator_vertical_l", VerticalSeparator(true)));
    sprites.push_back(Named("ui_separator_vertical_r", VerticalSeparator(false)));
    for (tools::NamedImage& heading : headings) sprites.push_back(std::move(heading));
    return sprites;
}

}  // namespace spritegen
