// The user interface's sprites: panels, buttons, cursors, bars, toggles, small icons and digits.
#include "tools/spritegen/ui_art.h"

#include <array>
#include <string>

#include "tools/spritegen/pixel_art.h"
#include "tools/spritegen/tiny_font.h"
#include "tools/spritegen/ui_palette.h"

namespace spritegen {
namespace {

using namespace ui_style;

// A flat panel with a light frame one pixel inside its edge.
PixelArt Panel(int w, int h, Rgba fill = kPanel, Rgba frame = kFrame)
{
    PixelArt art(w, h);
    art.RoundFill(0, 0, w, h, fill);
    art.Frame(1, 1, w - 2, h - 2, frame);
    return art;
}

PixelArt Button(int w, int h, bool touched)
{
    return Panel(w, h, touched ? kTealTouch : kTeal, touched ? kTealTouchLight : kTealLight);
}

PixelArt CloseButton(bool touched)
{
    PixelArt art = Button(18, 18, touched);
    const Rgba cross = touched ? kGreyLight : kWhite;
    art.Line(5, 5, 12, 12, cross);
    art.Line(5, 12, 12, 5, cross);
    return art;
}

// A triangle pointing right.
PixelArt Cursor()
{
    PixelArt art(10, 10);
    for (int x = 0; x < 9; ++x) {
        const int half = 4 - x / 2;
        if (half < 0) break;
        art.Fill(x, 5 - half - 1, 1, 2 * half + 2, x == 0 ? kOutline : kYellow);
    }
    art.Line(0, 0, 8, 5, kOutline);
    art.Line(0, 9, 8, 5, kOutline);
    return art;
}

PixelArt Strip(int w, int h, Rgba fill, Rgba accent)
{
    PixelArt art(w, h);
    art.Fill(0, 0, w, h, fill);
    art.Fill(0, 0, 2, h, accent);
    return art;
}

// A one-pixel line that fades out towards one end.
PixelArt Separator(int w, bool fadeRight)
{
    PixelArt art(w, 1);
    for (int x = 0; x < w; ++x) {
        const int along = fadeRight ? x : w - 1 - x;
        art.Dot(x, 0, Hex(0xA8C6D6, static_cast<uint8_t>(200 - 160 * along / w)));
    }
    return art;
}

// The windows of the list, the message log and the room screens, all laid out from (61, -51): the
// rows of a list or of the log reach down to 290 units below the canvas top and 540 across; its
// close button sits on its top-right corner. The window's top rows lie above the canvas, so the
// panel begins 12 units above the face (45 below the canvas top) and its top edge shows.
PixelArt WindowBase()
{
    constexpr int kPanelTop = 96;
    PixelArt art(482, 350);
    art.RoundFill(0, kPanelTop, 482, 350 - kPanelTop, kPanel);
    art.Frame(1, kPanelTop + 1, 480, 350 - kPanelTop - 2, kFrame);
    art.Fill(6, kPanelTop + 6, 96, 2, kTealLight);  // title tab
    return art;
}

// The face inside the window, 34 units right of and 108 below its corner.
PixelArt WindowFace()
{
    PixelArt art(442, 236);
    art.Fill(0, 0, 442, 236, kPanelFace);
    for (int x = 8; x < 442; x += 16) art.Fill(x, 0, 1, 236, Hex(0x2E404B, 255));
    art.Frame(0, 0, 442, 236, kFrameDim);
    return art;
}

// A digit or the slash: 5 x 8 cells (6 x 8 for the slash), the glyph shadowed for legibility.
PixelArt Digit(char name, int width)
{
    PixelArt art(width, 8);
    DrawTinyGlyph(art, name, 1, 2, kOutline);
    DrawTinyGlyph(art, name, 0, 1, kCream);
    return art;
}

PixelArt Infinity()
{
    PixelArt art(7, 8);
    art.Ring(1.8f, 4.0f, 1.8f, 1.0f, kCream);
    art.Ring(5.2f, 4.0f, 1.8f, 1.0f, kCream);
    return art;
}

PixelArt Word(const std::string& word)
{
    PixelArt art(static_cast<int>(word.size()) * 4, 7);
    for (std::size_t i = 0; i < word.size(); ++i) DrawTinyGlyph(art, word[i], static_cast<int>(i) * 4, 1, kWhite);
    return art;
}

// The options' toggles stand a unit above their row, and rows are 18 units apart: 16 keeps a
// toggle off the rules between the rows.
constexpr int kToggleHeight = 16;

PixelArt ToggleBack(bool on)
{
    return Panel(48, kToggleHeight, on ? kTeal : kGrey, on ? kTealLight : kGreyLight);
}

PixelArt ToggleKnob()
{
    PixelArt art = Panel(24, kToggleHeight, kCream, kWhite);
    for (int x = 9; x <= 14; x += 2) art.Fill(x, 4, 1, 8, kGrey);
    return art;
}

PixelArt ActorIcon()
{
    PixelArt art(16, 16);
    art.Disc(4.0f, 4.0f, 3.0f, kGreyLight);   // ears
    art.Disc(12.0f, 4.0f, 3.0f, kGreyLight);
    art.Disc(8.0f, 9.0f, 6.0f, kCream);
    art.Dot(6, 8, kOutline);
    art.Dot(10, 8, kOutline);
    art.Fill(7, 11, 3, 2, kRed);  // nose
    return art;
}

PixelArt HomeIcon()
{
    PixelArt art(10, 10);
    for (int row = 0; row < 5; ++row) art.Fill(4 - row, row, 2 + 2 * row, 1, kYellow);
    art.Fill(1, 5, 8, 5, kYellow);
    art.Fill(4, 7, 2, 3, kOutline);
    return art;
}

PixelArt WorkIcon()
{
    PixelArt art(10, 10);
    art.Fill(1, 1, 6, 3, kGreyLight);  // hammer head
    art.Line(4, 4, 8, 9, kCream);
    art.Line(5, 4, 9, 9, kCream);
    return art;
}

// Two small gauge frames: stamina above, calories below.
PixelArt MeterFrames()
{
    PixelArt art(32, 8);
    art.Frame(0, 0, 32, 4, kGreen);
    art.Frame(0, 4, 32, 4, kYellow);
    return art;
}

PixelArt ScrollSide()
{
    PixelArt art(10, 4);
    art.RoundFill(0, 0, 10, 4, kFrameDim);
    art.Fill(1, 1, 8, 3, kPanel);
    return art;
}

PixelArt ScrollCentre()
{
    PixelArt art(10, 8);
    art.Fill(0, 0, 1, 8, kFrameDim);
    art.Fill(9, 0, 1, 8, kFrameDim);
    art.Fill(1, 0, 8, 8, kPanel);
    return art;
}

// The slider's knob stands 3 units above its bar, and slider rows are 18 units apart: a knob of 15
// keeps within its own row, and the track and its ticks are centred on it, in the bar's upper part.
constexpr int kSliderKnobHeight = 15;

PixelArt SliderTrack()
{
    PixelArt art(93, 15);
    art.RoundFill(0, 2, 93, 5, kPanel);
    art.Frame(0, 2, 93, 5, kFrameDim);
    for (int x = 0; x < 93; x += 23) art.Fill(x, 0, 1, 9, kFrameDim);
    return art;
}

// The event choices: a title frame and one frame per choice, with a scan line across each.
std::vector<tools::NamedImage> ChoiceWindow()
{
    std::vector<tools::NamedImage> sprites;
    sprites.push_back(Named("ui_windowchoices_title_bg", Solid(304, 26, kPanelFace)));
    PixelArt title(330, 36);
    title.Frame(0, 0, 330, 36, kFrame);
    title.Fill(4, 3, 40, 2, kTealLight);
    sprites.push_back(Named("ui_windowchoices_title", title));
    sprites.push_back(Named("ui_windowchoices_title_scan", Solid(304, 2, Hex(0xFFFFFF, 40))));
    sprites.push_back(Named("ui_windowchoices_bg", Solid(291, 42, kPanelFace)));
    PixelArt frame(315, 66);
    frame.Frame(0, 0, 315, 66, kFrame);
    frame.Frame(2, 2, 311, 62, kFrameDim);
    sprites.push_back(Named("ui_windowchoices", frame));
    sprites.push_back(Named("ui_windowchoices_scan", Solid(291, 1, Hex(0xFFFFFF, 40))));
    sprites.push_back(Named("ui_windowchoices_separator", Separator(287, true)));
    return sprites;
}

}  // namespace

PixelArt UIPanel(int w, int h) { return Panel(w, h); }

PixelArt UIButton(int w, int h, bool touched) { return Button(w, h, touched); }

std::vector<tools::NamedImage> DrawUISprites()
{
    std::vector<tools::NamedImage> sprites;
    sprites.push_back(Named("ui_dialogbase", Panel(280, 160)));
    PixelArt separator(256, 2);
    separator.Fill(0, 0, 256, 1, kFrameDim);
    separator.Fill(0, 1, 256, 1, kOutline);
    sprites.push_back(Named("ui_separator_dialog", separator));
    sprites.push_back(Named("ui_enterbutton", Button(96, 20, false)));
    sprites.push_back(Named("ui_enterbutton_touch", Button(96, 20, true)));
    sprites.push_back(Named("ui_closebutton", CloseButton(false)));
    sprites.push_back(Named("ui_closebutton_touch", CloseButton(true)));
    sprites.push_back(Named("ui_cursor_common_r90", Cursor()));
    sprites.push_back(Named("ui_cursor_baselabel", Strip(156, 17, Hex(0x26343E, 210), kTealLight)));
    sprites.push_back(Named("ui_windowbase", WindowBase()));
    sprites.push_back(Named("ui_windowbase_bg", WindowFace()));
    sprites.push_back(Named("ui_select_highlight", Solid(156, 17, Hex(0xFFFFFF, 90))));
    sprites.push_back(Named("ui_separator_right", Separator(170, true)));
    sprites.push_back(Named("ui_separator_left_rat", Separator(150, false)));
    sprites.push_back(Named("ui_scrollbar_frame_side", ScrollSide()));
    sprites.push_back(Named("ui_scrollbar_frame_center", ScrollCentre()));
    sprites.push_back(Named("ui_scrollbar_gauge", Solid(6, 8, kTealLight)));
    sprites.push_back(Named("ui_sliderbar_slider", Button(12, 8, false)));
    PixelArt knob(6, kSliderKnobHeight);
    knob.RoundFill(0, 0, 6, kSliderKnobHeight, kCream);
    knob.Frame(0, 0, 6, kSliderKnobHeight, kFrameDim);
    sprites.push_back(Named("ui_map_sliderbar", knob));
    sprites.push_back(Named("ui_map_sliderbar_bg", SliderTrack()));
    // A toggle of value 1 ("on") lies on "bg_off" and one of value 0 on "bg_on": the lit picture is "bg_off".
    sprites.push_back(Named("ui_option_toggle_bg_off", ToggleBack(true)));
    sprites.push_back(Named("ui_option_toggle_bg_on", ToggleBack(false)));
    sprites.push_back(Named("ui_option_toggle_button", ToggleKnob()));
    sprites.push_back(Named("ui_text_on", Word("ON")));
    sprites.push_back(Named("ui_text_off", Word("OFF")));
    sprites.push_back(Named("ui_icon_actor", ActorIcon()));
    sprites.push_back(Named("ui_icon_bind_live", HomeIcon()));
    sprites.push_back(Named("ui_icon_bind_work", WorkIcon()));
    sprites.push_back(Named("ui_icon_stamina_calorie2", MeterFrames()));
    for (char digit = '0'; digit <= '9'; ++digit) sprites.push_back(Named(std::string("ui_text_num_") + digit, Digit(digit, 5)));
    sprites.push_back(Named("ui_text_num_slash", Digit('/', 6)));
    sprites.push_back(Named("ui_text_infinity", Infinity()));
    sprites.push_back(Named("ui_common_bg", Panel(283, 18)));
    sprites.push_back(Named("ui_popup_bg", Panel(300, 40)));
    for (tools::NamedImage& sprite : ChoiceWindow()) sprites.push_back(std::move(sprite));
    return sprites;
}

}  // namespace spritegen
