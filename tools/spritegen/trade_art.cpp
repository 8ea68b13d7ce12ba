// The gas station's and the market's sprites: the fuel gauge with its frame and buttons, the price frame, the small count buttons and their headings.
#include "tools/spritegen/trade_art.h"

#include "tools/spritegen/pixel_art.h"
#include "tools/spritegen/room_screen_art.h"
#include "tools/spritegen/ui_art.h"
#include "tools/spritegen/ui_palette.h"

namespace spritegen {
namespace {

using namespace ui_style;

constexpr Rgba kAmber = Hex(0xE8A23A);

constexpr RoomHeading kTradeHeadings[] = {
    {"ui_text_fuel", {u"燃料", u"FUEL", u"연료"}},
    {"ui_text_pay", {u"支払い", u"PAY", u"지불"}},
    {"ui_text_havemoney", {u"所持金", u"MONEY", u"소지금"}},
    {"ui_text_price", {u"価格", u"PRICE", u"가격"}},
    {"ui_text_sellprice", {u"売値", u"SELL PRICE", u"판매가"}},
    {"ui_text_total_price", {u"合計", u"TOTAL", u"합계"}},
};

// A thin frame round a sunken face, for the boxes the figures stand in.
PixelArt InsetFrame(int w, int h)
{
    PixelArt art(w, h);
    art.RoundFill(0, 0, w, h, Hex(0x17222A, 230));
    art.Frame(0, 0, w, h, kFrameDim);
    art.Fill(1, 1, w - 2, 1, Hex(0x000000, 120));
    return art;
}

// The gauge's outline: the bars fill its inside (272 by 36 from (3, 4)), with a tick every tenth.
PixelArt GaugeFrame()
{
    PixelArt art(278, 42);
    art.Fill(1, 1, 276, 40, Hex(0x0C1216, 240));
    art.Frame(0, 0, 278, 42, kFrame);
    art.Frame(2, 3, 274, 38, kOutline);
    for (int tick = 1; tick < 10; ++tick) art.Fill(3 + tick * 272 / 10, 36, 1, 4, kFrameDim);
    return art;
}

// A square button with a plus or a minus; the "_on" form is the pressed one.
PixelArt SignButton(bool plus, bool pressed)
{
    PixelArt art = UIButton(40, 40, pressed);
    const Rgba sign = pressed ? kGreyLight : kWhite;
    art.Fill(10, 18, 20, 4, sign);
    if (plus) art.Fill(18, 10, 4, 20, sign);
    return art;
}

// A small arrow button of a market row: up to add, down to take away.
PixelArt CountButton(bool increase)
{
    PixelArt art(13, 12);
    art.OutlinedRoundFill(0, 0, 13, 12, kOutline, kTeal);
    for (int step = 0; step < 4; ++step) {
        const int y = increase ? 8 - step : 3 + step;
        art.Fill(3 + step, y, 7 - 2 * step, 1, kWhite);
    }
    return art;
}

// The jerrycan badge in the fuel frame's lower right corner, below the plus button (which stands
// over the frame's upper right corner).
void DrawCan(PixelArt& art, int x, int y)
{
    art.OutlinedRoundFill(x, y + 2, 10, 12, kOutline, kAmber);
    art.Fill(x + 6, y, 3, 3, kOutline);
    art.Line(x + 2, y + 5, x + 7, y + 11, Hex(0x8A5A1C));
}

}  // namespace

std::vector<tools::NamedImage> DrawTradeSprites(const std::vector<std::string>& fontFiles)
{
    std::vector<tools::NamedImage> sprites = DrawRoomHeadings(fontFiles, kTradeHeadings);
    if (sprites.empty()) return {};
    sprites.push_back(Named("ui_enterbutton8", UIButton(88, 22, false)));
    sprites.push_back(Named("ui_enterbutton8_touch", UIButton(88, 22, true)));
    PixelArt fuelFrame = InsetFrame(384, 72);
    DrawCan(fuelFrame, 370, 55);
    sprites.push_back(Named("ui_fuel_frame", fuelFrame));
    sprites.push_back(Named("ui_fuel_gauge_frame", GaugeFrame()));
    PixelArt payFrame = InsetFrame(190, 32);
    payFrame.Fill(4, 15, 182, 1, kFrameDim);
    sprites.push_back(Named("ui_payprice_frame", payFrame));
    sprites.push_back(Named("ui_plusbutton", SignButton(true, false)));
    sprites.push_back(Named("ui_plusbutton_on", SignButton(true, true)));
    sprites.push_back(Named("ui_minusbutton", SignButton(false, false)));
    sprites.push_back(Named("ui_minusbutton_on", SignButton(false, true)));
    sprites.push_back(Named("ui_button_increase", CountButton(true)));
    sprites.push_back(Named("ui_button_decrease", CountButton(false)));
    return sprites;
}

}  // namespace spritegen
