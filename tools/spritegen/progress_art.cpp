// The progress screens' sprites: the sound room's and the achievement list's rows, bars and separators, the instruction screen's pad.
#include "tools/spritegen/progress_art.h"

#include <array>
#include <string>

#include "tools/spritegen/pixel_art.h"
#include "tools/spritegen/tiny_font.h"
#include "tools/spritegen/ui_palette.h"

namespace spritegen {
namespace {

using namespace ui_style;

constexpr Rgba kLine = Hex(0xA8C6D6, 150);
constexpr Rgba kPadBody = Hex(0x3B4A55);
constexpr Rgba kPadLight = Hex(0x5D7282);

PixelArt HorizontalLine(int width, Rgba colour)
{
    PixelArt art(width, 1);
    art.Fill(0, 0, width, 1, colour);
    return art;
}

PixelArt VerticalLine(int height, Rgba colour)
{
    PixelArt art(1, height);
    art.Fill(0, 0, 1, height, colour);
    return art;
}

// A round 16 x 16 button face with up to two letters on it.
PixelArt LetterIcon(const std::string& letters, Rgba face)
{
    PixelArt art(16, 16);
    art.OutlinedDisc(7.5f, 7.5f, 7.5f, kOutline, face);
    const int width = static_cast<int>(letters.size()) * 4 - 1;
    int x = 8 - (width + 1) / 2;
    for (char name : letters) {
        DrawTinyGlyph(art, name, x, 5, kWhite);
        x += 4;
    }
    return art;
}

// A d-pad arm pointing one way (0 up, 1 down, 2 left, 3 right), the arm lit.
PixelArt ArrowIcon(int direction)
{
    PixelArt art(16, 16);
    art.Fill(5, 0, 6, 16, kPadBody);
    art.Fill(0, 5, 16, 6, kPadBody);
    const int lit[4][4] = {{5, 0, 6, 6}, {5, 10, 6, 6}, {0, 5, 6, 6}, {10, 5, 6, 6}};
    const int* arm = lit[direction];
    art.Fill(arm[0], arm[1], arm[2], arm[3], kTealLight);
    return art;
}

PixelArt StickIcon(char side)
{
    PixelArt art(16, 16);
    art.OutlinedDisc(7.5f, 7.5f, 7.5f, kOutline, kPadBody);
    art.OutlinedDisc(7.5f, 7.5f, 4.5f, kOutline, kPadLight);
    DrawTinyGlyph(art, side, 6, 5, kWhite);
    return art;
}

// The pad seen from the front: body and grips, shoulder buttons, d-pad, two sticks, four face buttons
// and the start and back buttons between them.
PixelArt Pad()
{
    PixelArt art(200, 120);
    art.OutlinedRoundFill(12, 0, 50, 12, kOutline, kPadLight);
    art.OutlinedRoundFill(138, 0, 50, 12, kOutline, kPadLight);
    art.OutlinedRoundFill(0, 10, 200, 70, kOutline, kPadBody);
    art.OutlinedDisc(40.0f, 80.0f, 38.0f, kOutline, kPadBody);
    art.OutlinedDisc(160.0f, 80.0f, 38.0f, kOutline, kPadBody);
    art.Fill(20, 30, 160, 50, kPadBody);
    art.OutlinedDisc(50.0f, 40.0f, 12.0f, kOutline, kPadLight);
    art.OutlinedDisc(130.0f, 72.0f, 12.0f, kOutline, kPadLight);
    art.Fill(60, 62, 24, 8, kOutline);
    art.Fill(68, 54, 8, 24, kOutline);
    art.Fill(61, 63, 22, 6, kGreyLight);
    art.Fill(69, 55, 6, 22, kGreyLight);
    const std::array<std::array<float, 2>, 4> faces{{{150.0f, 44.0f}, {162.0f, 32.0f}, {138.0f, 32.0f}, {150.0f, 20.0f}}};
    const std::array<Rgba, 4> colours{kGreen, kRed, Hex(0x5A8FE0), kYellow};
    for (std::size_t i = 0; i < faces.size(); ++i) art.OutlinedDisc(faces[i][0], faces[i][1], 5.0f, kOutline, colours[i]);
    art.OutlinedRoundFill(84, 30, 12, 7, kOutline, kGrey);
    art.OutlinedRoundFill(104, 30, 12, 7, kOutline, kGrey);
    return art;
}

}  // namespace

std::vector<tools::NamedImage> DrawProgressScreenSprites()
{
    std::vector<tools::NamedImage> sprites;
    // The sound room's rows.
    sprites.push_back(Named("ui_separator_big", HorizontalLine(408, kLine)));
    sprites.push_back(Named("ui_select_highlight_big", Solid(408, 18, Hex(0xFFFFFF, 60))));
    // The discard window's description lines.
    sprites.push_back(Named("ui_separator_big2", HorizontalLine(432, kLine)));
    // The achievement list: the rows' lines, the lines round the description, the bar's frame.
    sprites.push_back(Named("ui_achivement_separator_left", HorizontalLine(234, kLine)));
    sprites.push_back(Named("ui_achivement_separator_left2", HorizontalLine(420, kFrameDim)));
    sprites.push_back(Named("ui_achivement_separator_right", VerticalLine(104, kFrameDim)));
    sprites.push_back(Named("ui_achivement_separator_bottom", HorizontalLine(420, kLine)));
    PixelArt frame(252, 19);
    frame.Fill(0, 0, 252, 19, Hex(0x10161B, 200));
    frame.Frame(0, 0, 252, 19, kFrame);
    sprites.push_back(Named("ui_achivement_bar_frame", frame));
    // The instruction screen.
    PixelArt title(300, 24);
    title.RoundFill(0, 0, 300, 24, kPanel);
    title.Frame(1, 1, 298, 22, kTealLight);
    sprites.push_back(Named("ui_instruction_title_frame", title));
    sprites.push_back(Named("ui_controller_steam", Pad()));
    // Leader lines from the pad's sides out to the two columns of names.
    const std::array<int, 6> leaderLengths{40, 60, 40, 40, 60, 40};
    for (std::size_t i = 0; i < leaderLengths.size(); ++i) {
        sprites.push_back(Named("ui_instruction_line_steam_" + std::to_string(i), HorizontalLine(leaderLengths[i], kLine)));
    }
    sprites.push_back(Named("ui_instruction_icon_back", LetterIcon("<", kTeal)));
    sprites.push_back(Named("ui_instruction_icon_a", LetterIcon("A", kGreen)));
    sprites.push_back(Named("ui_instruction_icon_b", LetterIcon("B", kRed)));
    sprites.push_back(Named("ui_instruction_icon_x", LetterIcon("X", Hex(0x5A8FE0))));
    sprites.push_back(Named("ui_instruction_icon_y", LetterIcon("Y", kYellow)));
    sprites.push_back(Named("ui_instruction_icon_up", ArrowIcon(0)));
    sprites.push_back(Named("ui_instruction_icon_down", ArrowIcon(1)));
    sprites.push_back(Named("ui_instruction_icon_left", ArrowIcon(2)));
    sprites.push_back(Named("ui_instruction_icon_right", ArrowIcon(3)));
    sprites.push_back(Named("ui_instruction_icon_lb", LetterIcon("LB", kGrey)));
    sprites.push_back(Named("ui_instruction_icon_rb", LetterIcon("RB", kGrey)));
    sprites.push_back(Named("ui_instruction_icon_lt", LetterIcon("LT", kGrey)));
    sprites.push_back(Named("ui_instruction_icon_rt", LetterIcon("RT", kGrey)));
    sprites.push_back(Named("ui_instruction_icon_start", LetterIcon("S", kGrey)));
    sprites.push_back(Named("ui_instruction_icon_lstick", StickIcon('L')));
    sprites.push_back(Named("ui_instruction_icon_rstick", StickIcon('R')));
    return sprites;
}

}  // namespace spritegen
