// The quest screens' sprites of the room package: the quest heading, row marks, detail symbols, lines and the notice strips.
#include "tools/spritegen/quest_art.h"

#include "tools/spritegen/arcade_art.h"
#include "tools/spritegen/pixel_art.h"
#include "tools/spritegen/room_screen_art.h"
#include "tools/spritegen/ui_palette.h"

namespace spritegen {
namespace {

using namespace ui_style;

constexpr Rgba kBrass = Hex(0xD9A441);
constexpr Rgba kSand = Hex(0xE8C98A);
constexpr Rgba kRoof = Hex(0xC0573E);

constexpr RoomHeading kQuestHeadings[] = {
    {"ui_text_quest", {u"クエスト", u"QUESTS", u"퀘스트"}},
};

// The heading line over the detail pane: bright at its left end, fading to the right.
PixelArt StrongLine(int width)
{
    PixelArt art(width, 2);
    for (int x = 0; x < width; ++x) {
        art.Dot(x, 0, Hex(0x9FE3DA, static_cast<std::uint8_t>(240 - 200 * x / width)));
        art.Dot(x, 1, Hex(0x17393D, 200));
    }
    return art;
}

// Behind an accepted offer's name: a soft green band with a bright edge at its left.
PixelArt AcceptedBand()
{
    PixelArt art(150, 15);
    art.Fill(0, 0, 150, 15, Hex(0x7FD36B, 46));
    art.Fill(0, 0, 2, 15, Hex(0x7FD36B, 220));
    art.Fill(2, 14, 148, 1, Hex(0x7FD36B, 90));
    return art;
}

PixelArt ScanStrip(int width, int height)
{
    PixelArt art(width, height);
    for (int y = 0; y < height; y += 2) art.Fill(0, y, width, 1, Hex(0x000000, 60));
    art.Fill(0, 0, width, 1, Hex(0x9FE3DA, 90));
    return art;
}

// An hourglass in a badge: the days a quest may take.
PixelArt LimitSymbol()
{
    PixelArt art = ItemSymbolBadge(kTealLight);
    art.Fill(4, 3, 8, 1, kCream);
    art.Fill(4, 12, 8, 1, kCream);
    for (int row = 0; row < 4; ++row) {
        art.Fill(5 + row, 4 + row, 6 - 2 * row, 1, kSand);
        art.Fill(5 + row, 11 - row, 6 - 2 * row, 1, row == 3 ? kSand : kOutline);
    }
    art.Fill(6, 10, 4, 1, kSand);
    return art;
}

// A little house with a red roof: the town a quest was taken in.
PixelArt TownSymbol()
{
    PixelArt art = ItemSymbolBadge(kRoof);
    for (int row = 0; row < 4; ++row) art.Fill(7 - row, 3 + row, 2 + 2 * row, 1, kRoof);
    art.Fill(4, 7, 8, 5, kCream);
    art.Fill(7, 9, 2, 3, kOutline);
    return art;
}

// A stack of two coins: money.
PixelArt MoneySymbol()
{
    PixelArt art = ItemSymbolBadge(kBrass);
    art.OutlinedDisc(7.5f, 9.0f, 3.5f, kOutline, kBrass);
    art.OutlinedDisc(7.5f, 6.0f, 3.5f, kOutline, kYellow);
    art.Fill(7, 5, 1, 3, kBrass);
    return art;
}

PixelArt CheckMark()
{
    PixelArt art(14, 14);
    art.OutlinedRoundFill(0, 0, 14, 14, kOutline, kTealDeep);
    for (int i = 0; i < 3; ++i) art.Fill(3 + i, 6 + i, 2, 2, kGreen);
    for (int i = 0; i < 6; ++i) art.Fill(5 + i, 8 - i, 2, 2, kGreen);
    return art;
}

PixelArt DottedLine(int width)
{
    PixelArt art(width, 2);
    for (int x = 0; x < width; x += 3) art.Fill(x, 0, 2, 1, Hex(0xA8C6D6, 150));
    art.Fill(0, 1, width, 1, Hex(0x000000, 80));
    return art;
}

}  // namespace

std::vector<tools::NamedImage> DrawQuestSprites(const std::vector<std::string>& fontFiles)
{
    std::vector<tools::NamedImage> sprites = DrawRoomHeadings(fontFiles, kQuestHeadings);
    if (sprites.empty()) return {};
    sprites.push_back(Named("ui_separator_left_strong3", StrongLine(245)));
    sprites.push_back(Named("ui_accept_highlight", AcceptedBand()));
    sprites.push_back(Named("ui_window_scan_title", ScanStrip(420, 29)));
    sprites.push_back(Named("ui_window_scan_main", ScanStrip(420, 181)));
    sprites.push_back(Named("dot_itemsymbol_132", LimitSymbol()));
    sprites.push_back(Named("dot_itemsymbol_138", TownSymbol()));
    sprites.push_back(Named("dot_itemsymbol_144", MoneySymbol()));
    sprites.push_back(Named("ui_separator_big2", DottedLine(408)));
    sprites.push_back(Named("ui_icon_check", CheckMark()));
    return sprites;
}

}  // namespace spritegen
