// The room screens' sprites: window parts, tabs, skip buttons, gauges, headings, the build cursor and the item and dish icons.
#include "tools/spritegen/room_screen_art.h"

#include <algorithm>
#include <cctype>
#include <iostream>
#include <set>
#include <string>
#include <string_view>
#include <utility>

#include "tools/fontbuild/glyph_rasterizer.h"
#include "tools/spritegen/lettering.h"
#include "tools/spritegen/pixel_art.h"
#include "tools/spritegen/ui_art.h"
#include "tools/spritegen/ui_palette.h"

namespace spritegen {
namespace {

using namespace ui_style;

// Below 11 pixels the strokes of Hangul and of kanji run together (the two bars of 개 became one, so
// 개수 read as 기수, and 在庫 was a blot): the Japanese and Korean headings are set larger than the
// English ones, in the same cell. The stop button has room for larger words still, which 建築 needs.
constexpr ScriptLettering::Sizes kHeadingPixels = {11, 9, 11};
constexpr int kHeadingCell = 11;
constexpr ScriptLettering::Sizes kHeadingCells = {kHeadingCell, kHeadingCell, kHeadingCell};
constexpr ScriptLettering::Sizes kButtonPixels = {12, 9, 12};
constexpr ScriptLettering::Sizes kButtonCells = {13, 11, 13};
constexpr int kStopWidth = 128;
constexpr int kStopHeight = 30;

// An arrow of chevrons pointing left or right, centred on (cx, cy).
void DrawArrow(PixelArt& art, int cx, int cy, int size, bool right, Rgba ink)
{
    for (int row = 0; row < size; ++row) {
        const int reach = row < size / 2 ? row : size - 1 - row;
        const int x = right ? cx - size / 4 + reach : cx + size / 4 - reach - 2;
        art.Fill(x, cy - size / 2 + row, 3, 1, ink);
    }
}

PixelArt BackButton(bool touched)
{
    PixelArt art = UIButton(18, 18, touched);
    const Rgba ink = touched ? kGreyLight : kWhite;
    // A hooked arrow: back to where the window came from.
    art.Fill(6, 5, 7, 2, ink);
    art.Fill(11, 5, 2, 7, ink);
    art.Fill(6, 10, 7, 2, ink);
    for (int i = 0; i < 3; ++i) art.Fill(4 + i, 11 - i, 1, 1 + 2 * i, ink);
    return art;
}

PixelArt SkipButton(bool right, bool touched)
{
    PixelArt art = UIButton(34, 60, touched);
    DrawArrow(art, 17 + (touched ? 1 : 0), 30 + (touched ? 1 : 0), 16, right, touched ? kGreyLight : kWhite);
    return art;
}

PixelArt SkipWindow(bool right)
{
    PixelArt art = UIPanel(48, 72);
    art.Fill(right ? 3 : 41, 6, 4, 60, kTealDeep);
    return art;
}

PixelArt Tab(bool on)
{
    PixelArt art(200, 22);
    art.RoundFill(0, 0, 200, 22, on ? kPanel : Hex(0x17222A, 240));
    art.Frame(1, 0, 198, 21, on ? kFrame : kFrameDim);
    art.Fill(2, 0, 196, 2, on ? kTealLight : kTealDeep);
    return art;
}

// A separator that fades at one end and is bright at the other.
PixelArt StrongSeparator(int width, bool brightLeft)
{
    PixelArt art(width, 2);
    for (int x = 0; x < width; ++x) {
        const int along = brightLeft ? x : width - 1 - x;
        art.Dot(x, 0, Hex(0x9FE3DA, static_cast<std::uint8_t>(240 - 200 * along / width)));
        art.Dot(x, 1, Hex(0x17393D, 200));
    }
    return art;
}

PixelArt CurrentRowMarker()
{
    PixelArt art(162, 21);
    art.Frame(0, 0, 162, 21, kYellow);
    art.Frame(1, 1, 160, 19, Hex(0xF2C94C, 90));
    art.Fill(2, 2, 3, 17, kYellow);
    return art;
}

PixelArt TimerIcon()
{
    PixelArt art(12, 12);
    art.OutlinedDisc(6.0f, 6.5f, 5.5f, kOutline, kWhite);
    art.Fill(6, 3, 1, 4, kOutline);
    art.Fill(6, 6, 3, 1, kOutline);
    art.Fill(4, 0, 4, 1, kOutline);
    return art;
}

PixelArt BuildIcon()
{
    PixelArt art(12, 12);
    art.Fill(1, 1, 8, 3, kGreyLight);
    art.Fill(1, 3, 2, 1, kFrameDim);
    for (int i = 0; i < 8; ++i) art.Fill(4 + i / 3, 4 + i, 2, 1, Hex(0xB07A45));
    return art;
}

PixelArt GaugeFrame()
{
    PixelArt art(114, 12);
    art.Frame(0, 0, 114, 12, kFrame);
    art.Fill(1, 1, 112, 10, Hex(0x10161B, 200));
    art.Frame(1, 1, 112, 10, kFrameDim);
    return art;
}

// The grid cursor: four corner brackets around a cell.
PixelArt GridCursor(Rgba colour)
{
    PixelArt art(28, 28);
    for (int corner = 0; corner < 4; ++corner) {
        const int x = corner % 2 == 0 ? 0 : 21;
        const int y = corner / 2 == 0 ? 0 : 21;
        art.Fill(x, y, 7, 2, kOutline);
        art.Fill(x, y, 2, 7, kOutline);
        art.Fill(x, corner / 2 == 0 ? y + 1 : y, 7, 1, colour);
        art.Fill(corner % 2 == 0 ? x + 1 : x, y, 1, 7, colour);
    }
    art.Fill(12, 12, 4, 4, colour);
    return art;
}

PixelArt LowerPanel()
{
    PixelArt art = UIPanel(151, 57);
    art.Fill(4, 4, 143, 2, kTealDeep);
    return art;
}

// The word stands in the middle of the room right of the stop mark, whatever its cell's height.
PixelArt StopButton(const TextRun& word, bool touched)
{
    PixelArt art = UIButton(kStopWidth, kStopHeight, touched);
    const int sink = touched ? 1 : 0;
    const Rgba ink = touched ? kGreyLight : kWhite;
    art.Fill(8, 9 + sink, 11, 11, touched ? kTealDeep : kRed);
    art.Frame(8, 9 + sink, 11, 11, ink);
    if (word.width > 100) std::cerr << "warning: the stop button's word is wider than its button\n";
    DrawText(art, word, 24 + (100 - word.width) / 2, (kStopHeight - word.height) / 2 + sink, ink);
    return art;
}

constexpr int kEnglishScript = 1;

// Moves every letter after the first by `pixels` more than the one before it.
void Track(TextRun& run, int pixels)
{
    if (pixels == 0 || run.cells.size() < 2) return;
    for (std::size_t i = 0; i + 1 < run.cells.size(); ++i) run.cells[i].advance = static_cast<std::int16_t>(run.cells[i].advance + pixels);
    run.width += pixels * static_cast<int>(run.cells.size() - 1);
}

// The words beside a bar. Words that fill their cell (kanji at 11 pixels) stand a row higher, so
// that their foot and its shadow stay on the bar's rows: the line under a heading starts right there.
PixelArt Heading(const TextRun& run)
{
    constexpr int kBarTop = 2;
    constexpr int kBarFoot = kHeadingCell - 1;
    PixelArt art(run.width + 10, kHeadingCell + 3);
    art.Fill(0, kBarTop, 3, kBarFoot - kBarTop + 1, kTealLight);
    const int top = std::min(1, kBarFoot - LowestInkedRow(run));
    DrawText(art, run, 6, top + 1, kOutline);
    DrawText(art, run, 5, top, kTealLight);
    return art;
}

// --- item and dish icons: a few plain shapes in the item's colours
enum class Shape { kPlate, kLog, kCloth, kCoil, kGear, kDrop, kStone, kLeaf, kCan, kBottle, kRoll, kBrick, kSack,
                   kWedge, kMushroom, kBeans, kFish, kLoaf, kBall, kShell, kBomb, kStar, kBowl };

struct IconKind {
    const char* id;
    Shape shape;
    Rgba main;
    Rgba shade;
};

constexpr IconKind kItemIcons[] = {
    {"I001", Shape::kPlate, Hex(0x8A6E5A), Hex(0x5E4A3C)},  {"I002", Shape::kLog, Hex(0xB07A45), Hex(0x7A522D)},
    {"I003", Shape::kCloth, Hex(0xD9CBB0), Hex(0xA89A80)},  {"I004", Shape::kCoil, Hex(0xD08A4A), Hex(0x8A5A2E)},
    {"I005", Shape::kGear, Hex(0xB7BEC2), Hex(0x6C7479)},   {"I006", Shape::kDrop, Hex(0x3A3A44), Hex(0x15181B)},
    {"I007", Shape::kStone, Hex(0xD9B88C), Hex(0xA8875E)},  {"I008", Shape::kLeaf, Hex(0x7FD36B), Hex(0x3F8A3A)},
    {"I010", Shape::kPlate, Hex(0xB7BEC2), Hex(0x6C7479)},  {"I011", Shape::kCoil, Hex(0xC8A576), Hex(0x8E6E44)},
    {"I012", Shape::kGear, Hex(0xF2C94C), Hex(0xA8822A)},   {"I013", Shape::kCan, Hex(0xE0605A), Hex(0x8E3B36)},
    {"I014", Shape::kBottle, Hex(0x6FB0E8), Hex(0x3A6E9E)}, {"I015", Shape::kRoll, Hex(0xF4F1EA), Hex(0xC0B8A8)},
    {"I016", Shape::kBrick, Hex(0xC8743A), Hex(0x8A4E24)},  {"I020", Shape::kSack, Hex(0xE8D9A0), Hex(0xB0A060)},
    {"I021", Shape::kWedge, Hex(0xF2C94C), Hex(0xC89A2A)},  {"I022", Shape::kMushroom, Hex(0xC87A5A), Hex(0xF4F1EA)},
    {"I023", Shape::kBeans, Hex(0xA05A3A), Hex(0x6A3A24)},  {"I024", Shape::kFish, Hex(0x9AB0C0), Hex(0x5E7785)},
    {"I025", Shape::kDrop, Hex(0x6FB0E8), Hex(0x3A6E9E)},   {"I026", Shape::kLoaf, Hex(0xD9A441), Hex(0x9A6A24)},
    {"I040", Shape::kBall, Hex(0xA8A098), Hex(0x6C6660)},   {"I041", Shape::kShell, Hex(0x8A8A92), Hex(0x4A4A52)},
    {"I096", Shape::kBomb, Hex(0xF2C94C), Hex(0x3A3A44)},   {"I076", Shape::kWedge, Hex(0xFFD84A), Hex(0xE0A020)},
    {"I101", Shape::kWedge, Hex(0xF2C94C), Hex(0xC89A2A)},  {"I102", Shape::kStar, Hex(0x9FE3DA), Hex(0x2F7A80)},
    {"I103", Shape::kStar, Hex(0xE0605A), Hex(0x8E3B36)},   {"I104", Shape::kStar, Hex(0x6FB0E8), Hex(0x3A6E9E)},
    {"I105", Shape::kStar, Hex(0xB7BEC2), Hex(0x6C7479)},
};

constexpr IconKind kDishIcons[] = {
    {"D001", Shape::kBowl, Hex(0xE8D9A0), Hex(0xB07A45)},
    {"D002", Shape::kBowl, Hex(0xF2C94C), Hex(0xB07A45)},
    {"D003", Shape::kBowl, Hex(0xA05A3A), Hex(0xB07A45)},
    {"D004", Shape::kFish, Hex(0xD9A441), Hex(0x9A6A24)},
};

PixelArt Icon(const IconKind& kind)
{
    PixelArt art(14, 14);
    const Rgba m = kind.main;
    const Rgba s = kind.shade;
    switch (kind.shape) {
    case Shape::kPlate:
        art.Fill(1, 5, 12, 5, kOutline);
        art.Fill(2, 5, 10, 3, m);
        art.Fill(2, 8, 10, 1, s);
        break;
    case Shape::kLog:
        art.Fill(1, 4, 11, 6, m);
        art.Fill(1, 9, 11, 1, s);
        art.Disc(11.5f, 7.0f, 3.0f, s);
        art.Disc(11.5f, 7.0f, 1.5f, m);
        break;
    case Shape::kCloth:
        art.Fill(2, 2, 10, 10, m);
        for (int i = 2; i < 12; i += 3) art.Fill(2, i, 10, 1, s);
        break;
    case Shape::kCoil:
        art.Ring(7.0f, 7.0f, 5.5f, 1.6f, m);
        art.Ring(7.0f, 7.0f, 3.0f, 1.4f, s);
        break;
    case Shape::kGear:
        art.Disc(7.0f, 7.0f, 5.0f, m);
        for (int i = 0; i < 4; ++i) art.Fill(i % 2 == 0 ? 6 : 0, i % 2 == 0 ? (i == 0 ? 0 : 11) : 6, i % 2 == 0 ? 2 : 14, i % 2 == 0 ? 3 : 2, m);
        art.Disc(7.0f, 7.0f, 2.0f, s);
        break;
    case Shape::kDrop:
        art.Disc(7.0f, 8.5f, 4.0f, m);
        for (int row = 0; row < 5; ++row) art.Fill(7 - row / 2, 1 + row, 1 + row, 1, m);
        art.Dot(5, 8, Hex(0xFFFFFF, 160));
        break;
    case Shape::kStone:
        art.RoundFill(2, 4, 10, 7, m);
        art.Fill(3, 9, 8, 2, s);
        break;
    case Shape::kLeaf:
        art.Disc(7.0f, 6.0f, 4.5f, m);
        art.Line(3, 12, 10, 3, s);
        break;
    case Shape::kCan:
        art.Fill(3, 3, 8, 10, m);
        art.Fill(3, 3, 8, 2, s);
        art.Fill(8, 1, 3, 2, s);
        break;
    case Shape::kBottle:
        art.Fill(5, 1, 4, 3, s);
        art.RoundFill(3, 4, 8, 9, m);
        art.Fill(5, 7, 4, 3, kWhite);
        break;
    case Shape::kRoll:
        art.Fill(2, 4, 10, 7, m);
        art.Disc(11.5f, 7.5f, 3.0f, s);
        art.Fill(5, 6, 3, 3, kRed);
        break;
    case Shape::kBrick:
        art.Fill(1, 4, 12, 7, m);
        art.Fill(1, 7, 12, 1, s);
        art.Fill(6, 4, 1, 3, s);
        art.Fill(3, 8, 1, 3, s);
        art.Fill(9, 8, 1, 3, s);
        break;
    case Shape::kSack:
        art.RoundFill(2, 4, 10, 9, m);
        art.Fill(5, 2, 4, 3, s);
        art.Fill(4, 4, 6, 1, s);
        break;
    case Shape::kWedge:
        for (int row = 0; row < 8; ++row) art.Fill(1, 4 + row, 2 + row * 3 / 2, 1, m);
        art.Fill(1, 11, 13, 2, s);
        art.Dot(4, 8, s);
        art.Dot(7, 10, s);
        break;
    case Shape::kMushroom:
        art.RoundFill(2, 2, 10, 5, m);
        art.Fill(4, 1, 6, 1, m);
        art.Fill(5, 7, 4, 6, s);
        break;
    case Shape::kBeans:
        art.Disc(4.5f, 7.0f, 2.5f, m);
        art.Disc(9.5f, 5.5f, 2.5f, m);
        art.Disc(8.5f, 10.5f, 2.5f, s);
        break;
    case Shape::kFish:
        art.Disc(6.0f, 7.0f, 4.0f, m);
        for (int row = 0; row < 7; ++row) art.Fill(10, 4 + row, 1 + (row < 3 ? row : 6 - row), 1, s);
        art.Dot(4, 6, kOutline);
        break;
    case Shape::kLoaf:
        art.RoundFill(1, 5, 12, 7, m);
        art.Fill(1, 10, 12, 2, s);
        for (int x = 4; x < 12; x += 3) art.Fill(x, 6, 1, 3, s);
        break;
    case Shape::kBall:
        art.Disc(4.5f, 9.0f, 3.0f, m);
        art.Disc(9.5f, 9.0f, 3.0f, s);
        art.Disc(7.0f, 4.5f, 3.0f, m);
        break;
    case Shape::kShell:
        art.Fill(4, 5, 6, 8, m);
        for (int row = 0; row < 4; ++row) art.Fill(7 - row, 1 + row, 1 + row * 2, 1, m);
        art.Fill(4, 11, 6, 2, s);
        break;
    case Shape::kBomb:
        art.Disc(7.0f, 8.0f, 5.0f, s);
        art.Disc(5.5f, 6.5f, 1.5f, m);
        art.Line(9, 3, 12, 0, m);
        break;
    case Shape::kStar:
        art.Disc(7.0f, 7.0f, 5.5f, s);
        art.Fill(6, 1, 2, 12, m);
        art.Fill(1, 6, 12, 2, m);
        break;
    case Shape::kBowl:
        art.RoundFill(3, 3, 8, 4, m);
        art.Fill(1, 7, 12, 2, s);
        for (int row = 0; row < 4; ++row) art.Fill(2 + row, 9 + row, 10 - row * 2, 1, s);
        break;
    }
    return art;
}

std::string IconName(const char* prefix, const char* id)
{
    std::string name = prefix;
    for (const char* c = id; *c != 0; ++c) name += static_cast<char>(std::tolower(static_cast<unsigned char>(*c)));
    return name;
}

constexpr RoomHeading kHeadings[] = {
    {"ui_text_information", {u"情報", u"INFORMATION", u"정보"}},
    {"ui_text_execute_enable", {u"依頼できる作業", u"TASKS", u"가능한 작업"}},
    {"ui_text_buildenable", {u"建てられる部屋", u"ROOMS", u"지을 수 있는 방"}},
    {"ui_text_food_stock", {u"在庫", u"STOCK", u"재고"}},
    {"ui_text_cooking", {u"調理中", u"COOKING", u"조리 중"}},
    {"ui_text_food_menu", {u"献立", u"MENU", u"메뉴"}},
    {"ui_text_currentbullet", {u"装填中", u"LOADED", u"장전 중"}},
    {"ui_text_ammo_menu", {u"弾薬", u"AMMUNITION", u"탄약"}},
    {"ui_text_executing", {u"実行中", u"RUNNING", u"실행 중"}},
    // The crew panel's count stands 34 units after this heading's left edge: the English word is
    // set a pixel closer between its letters to end clear of it, as the two characters do.
    {"ui_text_actor", {u"人員", u"CREW", u"인원"}, -1},
    // The task windows' heading over what a task needs.
    {"ui_text_num", {u"個数", u"COUNT", u"개수"}},
    // The discard window's heading over an item's price.
    {"ui_text_sellprice", {u"売値", u"PRICE", u"판매가"}},
    // The heading over names: the storerooms' stacks, the sound room's tracks, the market's goods, the
    // dictionary's items, the rumours and the achievement list's entries (the list's Korean form is
    // unused: it shows the English one).
    {"ui_text_name", {u"名前", u"NAME", u"이름"}},
    {"ui_text_achivement", {u"実績", u"ACHIEVEMENTS", u"업적"}},
};
constexpr RoomHeading kStop = {"ui_common_buildstop", {u"建築をやめる", u"STOP", u"건설 중지"}};

}  // namespace

std::vector<tools::NamedImage> DrawRoomHeadings(const std::vector<std::string>& fontFiles, std::span<const RoomHeading> headings)
{
    std::vector<tools::Wording> wordings;
    for (const RoomHeading& heading : headings) wordings.push_back(heading.words);
    ScriptLettering lettering;
    if (!lettering.Prepare(fontFiles, kHeadingPixels, kHeadingCells, wordings)) {
        std::cerr << "error: the room screens' headings need a font\n";
        return {};
    }
    std::vector<tools::NamedImage> sprites;
    for (const RoomHeading& heading : headings) {
        for (int script = 0; script < tools::kScripts; ++script) {
            TextRun run = lettering.Set(heading.words, script);
            if (script == kEnglishScript) Track(run, heading.englishTracking);
            sprites.push_back(Named(std::string(heading.name) + tools::kScriptSuffixes[script], Heading(run)));
        }
    }
    if (lettering.Clipped()) std::cerr << "warning: heading letters are cut at the cell's edge\n";
    return sprites;
}

std::vector<tools::NamedImage> DrawRoomScreenSprites(const std::vector<std::string>& fontFiles)
{
    ScriptLettering buttons;
    std::vector<tools::NamedImage> headings = DrawRoomHeadings(fontFiles, kHeadings);
    if (headings.empty() || !buttons.Prepare(fontFiles, kButtonPixels, kButtonCells, {&kStop.words, 1})) {
        std::cerr << "error: the room screens' buttons need a font\n";
        return {};
    }

    std::vector<tools::NamedImage> sprites;
    sprites.push_back(Named("ui_backbutton", BackButton(false)));
    sprites.push_back(Named("ui_backbutton_touch", BackButton(true)));
    sprites.push_back(Named("ui_skip_left", SkipButton(false, false)));
    sprites.push_back(Named("ui_skip_left_touch", SkipButton(false, true)));
    sprites.push_back(Named("ui_skip_right", SkipButton(true, false)));
    sprites.push_back(Named("ui_skip_right_touch", SkipButton(true, true)));
    sprites.push_back(Named("ui_skipwindow_left", SkipWindow(false)));
    sprites.push_back(Named("ui_skipwindow_right", SkipWindow(true)));
    sprites.push_back(Named("ui_tab_on", Tab(true)));
    sprites.push_back(Named("ui_tab_off", Tab(false)));
    sprites.push_back(Named("ui_tab_separator", Solid(420, 2, kFrame)));
    sprites.push_back(Named("ui_separator_center", StrongSeparator(250, true)));
    sprites.push_back(Named("ui_separator_left_strong2", StrongSeparator(250, true)));
    sprites.push_back(Named("ui_separator_right_strong", StrongSeparator(160, false)));
    sprites.push_back(Named("ui_select_highlight_current", CurrentRowMarker()));
    sprites.push_back(Named("ui_icon_timer", TimerIcon()));
    sprites.push_back(Named("ui_icon_build", BuildIcon()));
    sprites.push_back(Named("ui_room_hpbar_frame", GaugeFrame()));
    sprites.push_back(Named("ui_common_lower_base2", LowerPanel()));
    AddLetteredButtons(sprites, kStop.name, buttons, kStop.words, StopButton);
    if (buttons.Clipped()) std::cerr << "warning: the stop button's letters are cut at the cell's edge\n";
    sprites.push_back(Named("ui_cursor_grid_build", GridCursor(kGreen)));
    sprites.push_back(Named("ui_cursor_grid_break", GridCursor(kRed)));
    for (tools::NamedImage& heading : headings) sprites.push_back(std::move(heading));
    for (const IconKind& icon : kItemIcons) sprites.push_back(Named(IconName("icon_item_", icon.id), Icon(icon)));
    for (const IconKind& icon : kDishIcons) sprites.push_back(Named(IconName("icon_dish_", icon.id), Icon(icon)));
    return sprites;
}

}  // namespace spritegen
