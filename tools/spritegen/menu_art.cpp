// The sprites of the title, the save-slot screen and the pause menu in the room package.
#include "tools/spritegen/menu_art.h"

#include <iostream>
#include <set>
#include <string_view>

#include "tools/fontbuild/glyph_rasterizer.h"
#include "tools/spritegen/pixel_art.h"
#include "tools/spritegen/lettering.h"

namespace spritegen {
namespace {

constexpr int kFontPixels = 12;
constexpr int kLineHeight = 15;
constexpr int kBigFontPixels = 22;
constexpr int kBigLineHeight = 26;

constexpr Rgba kOutline = Hex(0x2B1A10);
constexpr Rgba kPanel = Hex(0x241A14, 220);
constexpr Rgba kPanelLight = Hex(0x4A3626, 230);
constexpr Rgba kGold = Hex(0xE0A040);
constexpr Rgba kGoldLight = Hex(0xF5D58A);
constexpr Rgba kGoldDark = Hex(0x8E5A2B);
constexpr Rgba kCream = Hex(0xFFF4DC);
constexpr Rgba kHighlight = Hex(0xF2C46B, 70);
constexpr Rgba kShadow = Hex(0x000000, 150);

// Row entries of the pause menu and the words of the big headings.
struct Entry {
    const char* name;
    tools::Wording words;
    const char* englishName;
    const char* koreanName;
};

constexpr Entry kPauseEntries[] = {
    {"ui_pause_return_to_game", {u"ゲームにもどる", u"Return to Game", u"게임으로 돌아가기"}, "ui_pause_return_to_game_eng",
     "ui_pause_return_to_game_kr"},
    {"ui_pause_message_log", {u"メッセージログ", u"Message Log", u"메시지 기록"}, "ui_pause_message_log_eng",
     "ui_pause_message_log_kr"},
    {"ui_pause_rumor_log", {u"うわさ話", u"Rumour Log", u"소문 기록"}, "ui_pause_rumor_log_eng", "ui_pause_rumor_log_kr"},
    {"ui_pause_save", {u"セーブ", u"Save", u"저장"}, "ui_pause_save_eng", "ui_pause_save_kr"},
    {"ui_pause_achievement", {u"実績", u"Achievements", u"업적"}, "ui_pause_achievement_eng", "ui_pause_achievement_kr"},
    {"ui_pause_option", {u"オプション", u"Options", u"설정"}, "ui_pause_option_eng", "ui_pause_option_kr"},
    // The English and Korean names of the quit entry are spelt as the pause menu asks for them.
    {"ui_pause_quit_the_game", {u"ゲームをやめる", u"Quit the Game", u"게임 종료"}, "ui_pause_quite_the_game_eng",
     "ui_pause_quite_the_game_kr"},
};

// Words with a one-pixel dark outline and a shadow below, as wide as they need.
PixelArt Lettering(tools::GlyphRasterizer& rasterizer, std::u16string_view text, int lineHeight, Rgba colour)
{
    return RimmedLettering(SetText(rasterizer, text), lineHeight, kOutline, kShadow, colour);
}

// A triangle pointing up or down, gold with a dark rim.
PixelArt Marker(bool up, int width, int height)
{
    PixelArt art(width, height);
    for (int row = 0; row < height; ++row) {
        const int y = up ? row : height - 1 - row;
        const int half = (row * width) / (2 * height);
        art.Fill(width / 2 - half - 1, y, 2 * half + 2, 1, kOutline);
        if (half > 0) art.Fill(width / 2 - half, y, 2 * half, 1, row < height / 2 ? kGoldLight : kGold);
    }
    return art;
}

// A panel with a gold rim; the highlight is a lit rim over a faint glow.
PixelArt Panel(int width, int height, bool highlight)
{
    PixelArt art(width, height);
    if (highlight) {
        art.Fill(2, 2, width - 4, height - 4, kHighlight);
        art.Frame(0, 0, width, height, kGoldLight);
        art.Frame(1, 1, width - 2, height - 2, kGold);
        return art;
    }
    art.RoundFill(0, 0, width, height, kOutline);
    art.Fill(1, 1, width - 2, height - 2, kPanel);
    art.Fill(1, 1, width - 2, 1, kPanelLight);
    art.Frame(2, 2, width - 4, height - 4, kGoldDark);
    return art;
}

// The end of a save row: a gold bracket.
PixelArt RowEdge(int height, bool left)
{
    PixelArt art(6, height);
    const int x = left ? 0 : 4;
    art.Fill(x, 0, 2, height, kGold);
    art.Fill(left ? 2 : 0, 0, 4, 2, kGold);
    art.Fill(left ? 2 : 0, height - 2, 4, 2, kGold);
    return art;
}

PixelArt Separator()
{
    PixelArt art(628, 3);
    art.Fill(0, 1, 628, 1, kGold);
    for (int x = 8; x < 628; x += 24) art.Fill(x - 1, 0, 3, 3, kGoldLight);
    return art;
}

// An arrow pointing up; drawn turned by a quarter it points at the menu entry it stands beside.
PixelArt TitleCursor()
{
    PixelArt art(12, 12);
    for (int row = 0; row < 7; ++row) {
        art.Fill(5 - row, row + 1, 2 * row + 2, 1, kOutline);
        if (row > 0) art.Fill(6 - row, row + 1, 2 * row, 1, row < 3 ? kGoldLight : kGold);
    }
    art.Fill(3, 8, 6, 4, kOutline);
    art.Fill(4, 8, 4, 3, kGold);
    return art;
}

// The sound room's button: a note on a small panel.
PixelArt SoundButton()
{
    PixelArt art = Panel(42, 34, false);
    art.Fill(23, 8, 2, 14, kCream);
    art.Fill(23, 8, 7, 2, kCream);
    art.Fill(28, 10, 2, 3, kCream);
    art.Disc(20.5f, 22.5f, 3.5f, kCream);
    return art;
}

// The left end of an item's frame, its upper half: a gold bracket.
PixelArt TextFrameSide()
{
    PixelArt art(10, 17);
    art.Fill(0, 0, 10, 2, kGold);
    art.Fill(0, 0, 2, 17, kGold);
    art.Fill(2, 2, 3, 1, kGoldDark);
    return art;
}

}  // namespace

std::vector<tools::NamedImage> DrawMenuSprites(const std::vector<std::string>& fontFiles)
{
    std::set<char16_t> codes;
    for (const Entry& entry : kPauseEntries) AddCodes(codes, entry.words);
    const std::u16string_view bigWords[] = {u"SAVE", u"LOAD", u"PAUSE"};
    std::set<char16_t> bigCodes;
    for (std::u16string_view word : bigWords) AddCodes(bigCodes, word);
    tools::GlyphRasterizer rasterizer;
    tools::GlyphRasterizer big;
    if (!PrepareRasterizer(rasterizer, fontFiles, kFontPixels, kLineHeight, codes) ||
        !PrepareRasterizer(big, fontFiles, kBigFontPixels, kBigLineHeight, bigCodes)) {
        std::cerr << "error: the menu sprites need a font\n";
        return {};
    }
    std::vector<tools::NamedImage> sprites;
    sprites.push_back(Named("ui_cursor_common", TitleCursor()));
    sprites.push_back(Named("ui_bigtext_save", Lettering(big, bigWords[0], kBigLineHeight, kGoldLight)));
    sprites.push_back(Named("ui_bigtext_load", Lettering(big, bigWords[1], kBigLineHeight, kGoldLight)));
    sprites.push_back(Named("ui_bigtext_pause", Lettering(big, bigWords[2], kBigLineHeight, kGoldLight)));
    sprites.push_back(Named("ui_saveload_separator", Separator()));
    sprites.push_back(Named("ui_saveload_up_marker", Marker(true, 16, 9)));
    sprites.push_back(Named("ui_saveload_down_marker", Marker(false, 16, 9)));
    sprites.push_back(Named("ui_saveload_window_bg", Panel(430, 62, false)));
    sprites.push_back(Named("ui_saveload_window_bg_selected", Panel(430, 62, true)));
    sprites.push_back(Named("ui_saveload_window_left", RowEdge(62, true)));
    sprites.push_back(Named("ui_saveload_window_right", RowEdge(62, false)));
    sprites.push_back(Named("ui_sound_button", SoundButton()));
    sprites.push_back(Named("ui_manual_button_touch", Panel(42, 34, true)));
    sprites.push_back(Named("ui_pause_enterbutton", Panel(242, 34, false)));
    sprites.push_back(Named("ui_pause_enterbutton_touch", Panel(242, 34, true)));
    for (const Entry& entry : kPauseEntries) {
        sprites.push_back(Named(entry.name, Lettering(rasterizer, entry.words.japanese, kLineHeight, kCream)));
        sprites.push_back(Named(entry.englishName, Lettering(rasterizer, entry.words.english, kLineHeight, kCream)));
        sprites.push_back(Named(entry.koreanName, Lettering(rasterizer, entry.words.korean, kLineHeight, kCream)));
    }
    // The arcade's pause menu spells its Korean quit entry its own way; the words are the same.
    const Entry& quit = kPauseEntries[std::size(kPauseEntries) - 1];
    sprites.push_back(Named("ui_pause_quit_the_game_kr", Lettering(rasterizer, quit.words.korean, kLineHeight, kCream)));
    sprites.push_back(Named("ui_pause_textframe_side", TextFrameSide()));
    sprites.push_back(Named("ui_pause_textframe_bar", Solid(20, 2, kGold)));
    return sprites;
}

}  // namespace spritegen
