// The world map screen's sprites: the hideout mark and its "new" badge, the view's frame, the destination markers, the route marker's plates and lines, the zoom buttons and the goods' empty symbol.
#include "tools/spritegen/world_map_art.h"

#include "tools/spritegen/arcade_art.h"
#include "tools/spritegen/pixel_art.h"
#include "tools/spritegen/ui_palette.h"

namespace spritegen {
namespace {

using namespace ui_style;

constexpr Rgba kSand = Hex(0xE8C987);
constexpr Rgba kRust = Hex(0xB5562E);

// A hideout: a tent of hide over a dark ring, white enough that the screen can grey it.
PixelArt HideoutMark()
{
    PixelArt art(16, 16);
    art.OutlinedDisc(7.5f, 7.5f, 7.0f, kOutline, Hex(0xF2F2F2));
    for (int row = 0; row < 7; ++row) art.Fill(7 - row / 2 - 1, 4 + row, 2 + row, 1, kRust);
    art.Fill(7, 8, 2, 3, kOutline);
    return art;
}

// "New": a small bright star on a dark disc.
PixelArt NewBadge()
{
    PixelArt art(10, 10);
    art.OutlinedDisc(4.5f, 4.5f, 4.5f, kOutline, kYellow);
    art.Fill(4, 2, 2, 6, kWhite);
    art.Fill(2, 4, 6, 2, kWhite);
    return art;
}

// The view's frame: a bevelled rim round an open middle, 284 x 136.
PixelArt ViewFrame()
{
    PixelArt art(284, 136);
    art.Frame(0, 0, 284, 136, kOutline);
    art.Frame(1, 1, 282, 134, kFrame);
    art.Frame(2, 2, 280, 132, kFrameDim);
    for (const int x : {3, 274}) {
        for (const int y : {3, 126}) art.Fill(x, y, 7, 7, kFrame);
    }
    return art;
}

// The destination's arrow, pointing down at the hideout.
PixelArt NextArrow()
{
    PixelArt art(15, 16);
    art.OutlinedFill(4, 0, 7, 7, kOutline, kYellow);
    for (int row = 0; row < 8; ++row) art.Fill(row, 7 + row, 15 - 2 * row, 1, row == 7 ? kOutline : kYellow);
    art.Fill(6, 1, 2, 8, kWhite);
    return art;
}

// The ring that grows and fades under the arrow.
PixelArt NextRing()
{
    PixelArt art(48, 48);
    art.Ring(23.5f, 23.5f, 22.0f, 3.0f, kYellow);
    return art;
}

// The scan lines' pictures: a crate for items, a claw for enemies; each 30 x 10 with its word mark.
PixelArt ItemLineMark()
{
    PixelArt art(30, 10);
    art.OutlinedFill(0, 0, 12, 10, kOutline, kSand);
    art.Line(1, 1, 10, 8, kRust);
    art.Line(10, 1, 1, 8, kRust);
    art.Fill(15, 4, 13, 2, kSand);
    return art;
}

PixelArt EnemyLineMark()
{
    PixelArt art(30, 10);
    art.OutlinedDisc(5.0f, 5.0f, 4.5f, kOutline, kRed);
    for (int claw = 0; claw < 3; ++claw) art.Line(2 + 3 * claw, 1, 3 + 3 * claw, 8, kOutline);
    art.Fill(15, 4, 13, 2, kRed);
    return art;
}

// A leader plate: a thin bright rule with a dark edge below, 64 wide, fading at its right end.
PixelArt LeaderPlate()
{
    PixelArt art(64, 3);
    art.Fill(0, 0, 64, 1, kWhite);
    art.Fill(0, 1, 64, 1, kTealLight);
    art.Fill(0, 2, 64, 1, kOutline);
    return art;
}

// The zoom buttons: a round teal button with a minus or a plus.
PixelArt ZoomButton(bool plus)
{
    PixelArt art(17, 17);
    art.OutlinedDisc(8.0f, 8.0f, 8.0f, kOutline, kTeal);
    art.Disc(8.0f, 7.0f, 5.0f, kTealLight);
    art.Disc(8.0f, 8.0f, 5.0f, kTeal);
    art.Fill(4, 7, 9, 3, kWhite);
    if (plus) art.Fill(7, 4, 3, 9, kWhite);
    return art;
}

}  // namespace

std::vector<tools::NamedImage> DrawWorldMapSprites()
{
    std::vector<tools::NamedImage> sprites;
    sprites.push_back(Named("ui_map_ajito", HideoutMark()));
    sprites.push_back(Named("ui_map_new", NewBadge()));
    sprites.push_back(Named("ui_map_frame", ViewFrame()));
    sprites.push_back(Named("ui_map_next_marker", NextArrow()));
    sprites.push_back(Named("ui_map_next_marker2", NextRing()));
    sprites.push_back(Named("ui_map_text_item", ItemLineMark()));
    sprites.push_back(Named("ui_map_text_enemy", EnemyLineMark()));
    sprites.push_back(Named("ui_separator1", LeaderPlate()));
    sprites.push_back(Named("ui_slider_minus", ZoomButton(false)));
    sprites.push_back(Named("ui_slider_plus", ZoomButton(true)));
    // A market slot whose good is not known yet: an empty badge.
    sprites.push_back(Named("dot_itemsymbol_01", ItemSymbolBadge(kFrameDim)));
    return sprites;
}

}  // namespace spritegen
