// The ship's room sprites drawn pixel by pixel in one palette.
#include "tools/spritegen/dotroom_art.h"

#include <string>

#include "tools/spritegen/achievement_art.h"
#include "tools/spritegen/pixel_art.h"
#include "tools/spritegen/ship_art_kit.h"
#include "tools/spritegen/ship_room_art.h"

namespace spritegen {
namespace {

using namespace ship_art;

// A steel deck plate with a rivet in each corner.
PixelArt FloorTile()
{
    PixelArt art(kCell, kCell);
    art.Bevel(0, 0, kCell, kCell, kSteel, kSteelLight, kSteelDark);
    art.Fill(2, 11, 20, 1, kSteelDark);  // plate seam
    art.Fill(2, 12, 20, 1, kSteelLight);
    for (const int x : {3, 20}) {
        for (const int y : {3, 20}) art.Dot(x, y, kRivet);
    }
    return art;
}

// The same plate with its guide light lit; the grid blinks between the two.
PixelArt FloorTileLit()
{
    PixelArt art = FloorTile();
    art.OutlinedFill(9, 10, 6, 4, kTealDark, kTeal);
    return art;
}

PixelArt WallTile()
{
    PixelArt art(kCell, kCell);
    art.Fill(0, 0, kCell, kCell, kSteelDark);
    for (int y = 0; y < kCell; y += 6) {
        art.Fill(0, y, kCell, 1, kOutline);
        const int offset = (y / 6) % 2 == 0 ? 0 : 6;
        for (int x = offset; x < kCell; x += 12) art.Fill(x, y + 1, 1, 5, kOutline);
    }
    art.Fill(0, 1, kCell, 1, kSteel);
    return art;
}

PixelArt CursorGrid()
{
    PixelArt art(kCell, kCell);
    const auto corner = [&](int x, int y, int dx, int dy) {
        for (int i = 0; i < 6; ++i) {
            art.Dot(x + dx * i, y, kYellow);
            art.Dot(x, y + dy * i, kYellow);
            art.Dot(x + dx * i, y + dy, kYellow);
            art.Dot(x + dx, y + dy * i, kYellow);
        }
    };
    corner(0, 0, 1, 1);
    corner(kCell - 1, 0, -1, 1);
    corner(0, kCell - 1, 1, -1);
    corner(kCell - 1, kCell - 1, -1, -1);
    return art;
}

// A warning diamond with an exclamation mark.
PixelArt DamageMarker(bool outlineOnly)
{
    PixelArt art(kCell, kCell);
    for (int row = 0; row < 21; ++row) {
        const int half = row <= 10 ? row : 20 - row;
        const int left = 12 - half - 1;
        const int width = 2 * half + 2;
        if (outlineOnly) {
            art.Dot(left, row + 1, kRed);
            art.Dot(left + width - 1, row + 1, kRed);
            art.Dot(left + 1, row + 1, kRedDark);
            art.Dot(left + width - 2, row + 1, kRedDark);
        } else {
            art.Fill(left, row + 1, width, 1, kRedDark);
            if (width > 2) art.Fill(left + 1, row + 1, width - 2, 1, kRed);
        }
    }
    const Rgba mark = outlineOnly ? kRed : kCream;
    art.Fill(11, 6, 2, 8, mark);
    art.Fill(11, 16, 2, 2, mark);
    return art;
}

// White, so that the colour it is drawn with is the colour seen: task gauges and the HUD's room
// highlight tint it.
PixelArt LabelBase()
{
    PixelArt art(kCell, 6);
    art.RoundFill(0, 0, kCell, 6, kWhite);
    return art;
}

PixelArt Kitchen()
{
    PixelArt art = RoomBox(2, 1, Hex(0xE9C79A), Hex(0xD6AF7E));
    // Stove with two burners and pots.
    art.Bevel(4, 10, 22, 9, kSteelDark, kSteel, kOutline);
    art.Fill(7, 8, 6, 2, kOrange);
    art.Fill(8, 6, 4, 2, kYellow);
    art.Fill(16, 7, 7, 3, kRivet);
    art.Fill(15, 7, 1, 1, kSteelLight);
    art.Fill(23, 7, 1, 1, kSteelLight);
    art.Fill(18, 5, 3, 2, kSteelLight);  // lid
    // Counter with a red pot and a knife rack.
    art.Bevel(29, 11, 15, 8, kWood, kWoodLight, kWoodDark);
    art.Disc(36.0f, 8.5f, 3.0f, kRed);
    art.Fill(33, 5, 7, 1, kRedDark);
    art.Fill(30, 3, 12, 1, kSteelDark);
    for (int x = 31; x < 42; x += 3) art.Fill(x, 4, 1, 3, kRivet);
    return art;
}

PixelArt Home()
{
    PixelArt art = RoomBox(1, 1, Hex(0xB8C9E6), Hex(0xA3B6D6));
    // A bunk: wooden frame, cream pillow, blue blanket.
    art.Fill(2, 9, 20, 10, kWoodDark);
    art.Fill(3, 10, 18, 3, kCream);
    art.Fill(3, 10, 5, 3, kWhite);
    art.Fill(8, 10, 13, 7, kBlue);
    art.Fill(8, 10, 13, 1, Hex(0x6A94D6));
    art.Fill(8, 16, 13, 1, kBlueDark);
    art.Fill(2, 4, 2, 15, kWood);
    art.Fill(20, 4, 2, 15, kWood);
    // A round window.
    art.Disc(12.0f, 5.0f, 2.5f, kTeal);
    art.Ring(12.0f, 5.0f, 3.0f, 1.0f, kSteelDark);
    return art;
}

PixelArt Engine()
{
    PixelArt art = RoomBox(2, 2, Hex(0x4A545E), Hex(0x3F4852));
    // Engine block with two pistons and a gear.
    art.Bevel(5, 18, 30, 24, kSteel, kSteelLight, kSteelDark);
    art.Fill(8, 8, 6, 11, kSteelDark);
    art.Fill(9, 6, 4, 4, kCopper);
    art.Fill(17, 10, 6, 9, kSteelDark);
    art.Fill(18, 8, 4, 4, kCopper);
    art.Disc(27.0f, 12.0f, 5.5f, kGold);
    for (int i = 0; i < 8; ++i) {
        static constexpr int kTooth[8][2] = {{27, 5}, {32, 7}, {34, 12}, {32, 17}, {27, 19}, {22, 17}, {20, 12}, {22, 7}};
        art.Fill(kTooth[i][0] - 1, kTooth[i][1] - 1, 2, 2, kGold);
    }
    art.Disc(27.0f, 12.0f, 2.0f, kSteelDark);
    // Dials and a glowing furnace port.
    art.OutlinedFill(9, 24, 22, 6, kOutline, kOrange);
    art.Fill(12, 26, 16, 2, kYellow);
    art.Disc(12.0f, 35.5f, 2.5f, kCream);
    art.Line(12, 35, 13, 34, kRed);
    art.Disc(20.0f, 35.5f, 2.5f, kCream);
    art.Line(20, 35, 19, 34, kRedDark);
    // Exhaust pipe up the right wall.
    art.Fill(38, 4, 4, 38, kCopper);
    art.Fill(38, 4, 1, 38, kGold);
    art.Fill(37, 14, 6, 2, kSteelDark);
    art.Fill(37, 30, 6, 2, kSteelDark);
    return art;
}

PixelArt Storage()
{
    PixelArt art = RoomBox(1, 1, Hex(0xCDBB9A), Hex(0xBCA883));
    Crate(art, 2, 10, 9);
    Crate(art, 12, 10, 9);
    Crate(art, 7, 2, 8);
    return art;
}

// A shaft two decks high with a wooden ladder: it links a row with the one above.
PixelArt Ladder()
{
    PixelArt art = RoomBox(1, 2, Hex(0xB7AFA0), Hex(0xA59C8B));
    const int h = art.Height();
    art.Fill(6, 1, 2, h - 6, kWoodDark);   // left rail
    art.Fill(16, 1, 2, h - 6, kWoodDark);  // right rail
    art.Fill(7, 1, 1, h - 6, kWood);
    art.Fill(17, 1, 1, h - 6, kWood);
    for (int y = 4; y < h - 6; y += 5) {
        art.Fill(8, y, 8, 2, kWoodLight);  // rungs
        art.Fill(8, y + 1, 8, 1, kWood);
    }
    // The hatch of the deck above.
    art.Fill(1, kCell - 2, 4, 2, kSteel);
    art.Fill(19, kCell - 2, 4, 2, kSteel);
    return art;
}

PixelArt Bridge()
{
    PixelArt art = RoomBox(2, 1, Hex(0x9FB6C0), Hex(0x8CA4AF));
    // Windscreen.
    art.OutlinedFill(3, 2, 42, 6, kOutline, Hex(0xF3D9A4));  // desert sky
    art.Fill(4, 5, 40, 2, Hex(0xE0B070));  // dunes
    // Console with screens and the helm wheel.
    art.Bevel(3, 12, 42, 7, Hex(0x35424C), Hex(0x4D5E6A), kOutline);
    art.Fill(6, 13, 8, 3, kTeal);
    art.Fill(34, 13, 8, 3, kTeal);
    art.Fill(7, 14, 3, 1, kTealDark);
    art.Fill(36, 14, 4, 1, kTealDark);
    art.Ring(24.0f, 13.0f, 5.0f, 1.0f, kWood);
    art.Line(24, 8, 24, 18, kWoodDark);
    art.Line(19, 13, 29, 13, kWoodDark);
    art.Disc(24.0f, 13.0f, 1.5f, kGold);
    return art;
}

// A 16 x 16 icon: a rounded badge in the room's colour with a white glyph.
PixelArt Icon(Rgba badge, Rgba badgeDark, int glyph)
{
    PixelArt art(16, 16);
    art.RoundFill(0, 0, 16, 16, badgeDark);
    art.RoundFill(1, 1, 14, 13, badge);
    switch (glyph) {
    case 0:  // kitchen: a pot with steam
        art.Fill(3, 8, 10, 4, kWhite);
        art.Fill(2, 8, 12, 1, kWhite);
        art.Line(5, 3, 6, 6, kWhite);
        art.Line(9, 3, 10, 6, kWhite);
        break;
    case 1:  // home: a house
        for (int row = 0; row < 5; ++row) art.Fill(7 - row, 3 + row, 2 + 2 * row, 1, kWhite);
        art.Fill(4, 8, 8, 5, kWhite);
        art.Fill(7, 10, 2, 3, badge);
        break;
    case 2:  // engine: a gear
        art.Disc(8.0f, 8.0f, 4.5f, kWhite);
        art.Fill(7, 1, 2, 14, kWhite);
        art.Fill(1, 7, 14, 2, kWhite);
        art.Disc(8.0f, 8.0f, 1.8f, badge);
        break;
    case 3:  // storage: a crate
        art.Frame(3, 3, 10, 10, kWhite);
        art.Line(3, 3, 12, 12, kWhite);
        art.Line(12, 3, 3, 12, kWhite);
        break;
    default:  // bridge: a helm wheel
        art.Ring(8.0f, 8.0f, 5.0f, 1.2f, kWhite);
        art.Fill(7, 2, 2, 12, kWhite);
        art.Fill(2, 7, 12, 2, kWhite);
        break;
    }
    return art;
}

}  // namespace

std::vector<tools::NamedImage> DrawDotRoomSprites()
{
    std::vector<tools::NamedImage> sprites;
    sprites.push_back(Named("dot_basegrid", FloorTile()));
    sprites.push_back(Named("dot_basegrid2", FloorTileLit()));
    sprites.push_back(Named("dot_wall", WallTile()));
    sprites.push_back(Named("dot_damagemarker", DamageMarker(false)));
    sprites.push_back(Named("dot_damagemarker_out", DamageMarker(true)));
    sprites.push_back(Named("ui_cursor_grid_normal", CursorGrid()));
    sprites.push_back(Named("ui_labelbase", LabelBase()));
    sprites.push_back(Named("dotroom_kitchen_01", Kitchen()));
    sprites.push_back(Named("dotroom_home_01", Home()));
    sprites.push_back(Named("dotroom_engine_01", Engine()));
    sprites.push_back(Named("dotroom_storage_01", Storage()));
    sprites.push_back(Named("dotroom_bridge_01", Bridge()));
    sprites.push_back(Named("dotroom_ladder_01", Ladder()));
    sprites.push_back(Named("icon_room_kitchen", Icon(kOrange, Hex(0xA85E22), 0)));
    sprites.push_back(Named("icon_room_home", Icon(kBlue, kBlueDark, 1)));
    sprites.push_back(Named("icon_room_engine", Icon(kCopper, Hex(0x8A4E24), 2)));
    sprites.push_back(Named("icon_room_storage", Icon(kWood, kWoodDark, 3)));
    sprites.push_back(Named("icon_room_bridge", Icon(kTealDark, Hex(0x1D615B), 4)));
    for (tools::NamedImage& icon : DrawAchievementIcons()) sprites.push_back(std::move(icon));
    for (tools::NamedImage& sprite : DrawShipRoomSprites()) sprites.push_back(std::move(sprite));
    return sprites;
}

}  // namespace spritegen
