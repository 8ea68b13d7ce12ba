// The rest of the ship's room sprites: one for every room kind, the turret levels with their weapons, and the effect-field overlays.
#include "tools/spritegen/ship_room_art.h"

#include <cmath>
#include <functional>
#include <numbers>
#include <string>

#include "tools/spritegen/ship_art_kit.h"

namespace spritegen {
namespace {

using namespace ship_art;

// A shelf board with a row of bottles or books in turning colours.
void Shelf(PixelArt& art, int x, int y, int width, bool books)
{
    static constexpr Rgba kColours[] = {kRed, kBlue, kGreen, kYellow, kViolet, kOrange};
    art.Fill(x, y, width, 1, kWoodDark);
    for (int i = 0; x + 1 + i * 3 < x + width - 1; ++i) {
        const Rgba colour = kColours[i % 6];
        if (books) {
            art.Fill(x + 1 + i * 3, y - 5 + i % 2, 2, 5 - i % 2, colour);
        } else {
            art.Fill(x + 1 + i * 3, y - 3, 2, 3, colour);
            art.Dot(x + 1 + i * 3, y - 4, kCream);
        }
    }
}

void Plant(PixelArt& art, int x, int y, int height)
{
    art.Fill(x - 2, y, 5, 3, kCopper);
    art.Line(x, y - 1, x, y - height, kGreenDark);
    for (int i = 2; i < height; i += 3) {
        art.Dot(x - 1 - i % 2, y - i, kGreen);
        art.Dot(x + 1 + i % 2, y - i - 1, kGreen);
    }
    art.Dot(x, y - height - 1, kRed);
}

PixelArt Lookout()
{
    PixelArt art = RoomBox(1, 1, Hex(0xA8C4D8), Hex(0x93B0C6));
    art.OutlinedFill(3, 3, 18, 6, kOutline, Hex(0xF3D9A4));
    art.Fill(11, 8, 2, 10, kSteelDark);  // periscope
    art.Fill(9, 15, 6, 3, kSteel);
    art.Fill(13, 8, 4, 2, kSteel);
    return art;
}

PixelArt Infirmary()
{
    PixelArt art = RoomBox(1, 1, Hex(0xE4ECEC), Hex(0xD2DCDC));
    art.Fill(2, 13, 20, 5, kWhite);
    art.Fill(2, 17, 20, 2, kSteelDark);
    art.Fill(3, 11, 5, 3, kCream);
    art.Fill(14, 3, 6, 2, kRed);  // red cross on the wall
    art.Fill(16, 1, 2, 6, kRed);
    return art;
}

PixelArt Workshop()
{
    PixelArt art = RoomBox(2, 1, Hex(0xC9B48E), Hex(0xB6A07A));
    art.Bevel(3, 12, 30, 6, kWood, kWoodLight, kWoodDark);  // bench
    art.Fill(6, 9, 6, 3, kSteel);                           // vice
    art.Fill(16, 10, 8, 2, kSteelDark);                     // saw
    for (int x = 36; x < 45; x += 3) art.Fill(x, 3, 1, 8, kSteelDark);  // tools on the wall
    art.Fill(35, 3, 10, 1, kWoodDark);
    Crate(art, 36, 12, 7);
    return art;
}

PixelArt MachineShop()
{
    PixelArt art = RoomBox(2, 1, Hex(0x8F9AA3), Hex(0x7C8891));
    art.Bevel(3, 10, 20, 8, kSteel, kSteelLight, kSteelDark);  // lathe
    art.Fill(8, 12, 10, 2, kGold);
    art.Disc(33.0f, 10.0f, 6.0f, kGold);  // gear
    art.Disc(33.0f, 10.0f, 2.0f, kSteelDark);
    art.Disc(42.0f, 14.0f, 3.5f, kCopper);
    return art;
}

PixelArt Refinery()
{
    PixelArt art = RoomBox(2, 2, Hex(0x5E6B62), Hex(0x4F5B53));
    art.Bevel(4, 6, 14, 36, kCopper, kOrange, Hex(0x8A4E24));  // tall still
    art.Bevel(26, 18, 16, 24, kSteel, kSteelLight, kSteelDark);  // tank
    art.Fill(18, 10, 14, 2, kSteelDark);                         // pipe
    art.Fill(31, 10, 2, 8, kSteelDark);
    art.Fill(28, 24, 12, 3, Hex(0x2B2B2B));
    art.Fill(29, 25, 4, 1, kYellow);
    return art;
}

PixelArt Apothecary()
{
    PixelArt art = RoomBox(1, 1, Hex(0xD8CBB0), Hex(0xC8BA9D));
    Shelf(art, 2, 8, 20, false);
    Shelf(art, 2, 15, 20, false);
    return art;
}

PixelArt Bakery()
{
    PixelArt art = RoomBox(2, 1, Hex(0xF0D3A8), Hex(0xE2C090));
    art.Bevel(4, 5, 18, 14, Hex(0xB65A3C), Hex(0xD07A56), Hex(0x7E3A24));  // brick oven
    art.Fill(8, 11, 10, 6, kOutline);
    art.Fill(9, 13, 8, 4, kOrange);
    art.Fill(27, 13, 16, 4, kWood);  // table with loaves
    for (int x = 28; x < 42; x += 5) art.Disc(static_cast<float>(x) + 1.5f, 11.5f, 2.0f, kGold);
    return art;
}

PixelArt Cellar()
{
    PixelArt art = RoomBox(1, 1, Hex(0x8B7B66), Hex(0x7A6B57));
    for (int i = 0; i < 3; ++i) {
        const float x = 6.0f + static_cast<float>(i) * 6.0f;
        art.Disc(x, 15.0f, 3.5f, kYellow);
        art.Dot(static_cast<int>(x), 14, kGold);
    }
    art.Disc(12.0f, 8.0f, 3.5f, kYellow);
    return art;
}

PixelArt Foundry()
{
    PixelArt art = RoomBox(3, 2, Hex(0x6B5A4A), Hex(0x5B4B3D));
    art.Fill(4, 3, 64, 2, kSteelDark);  // crane rail
    art.Fill(22, 5, 2, 14, kSteelDark);
    art.Fill(19, 19, 8, 4, kGold);  // hook load
    art.Bevel(4, 30, 22, 12, kSteel, kSteelLight, kSteelDark);
    art.Fill(8, 32, 14, 3, kOrange);
    Crate(art, 32, 30, 12);
    art.Bevel(50, 20, 16, 22, kCopper, kOrange, Hex(0x8A4E24));  // furnace
    art.Fill(54, 26, 8, 6, kGold);
    return art;
}

PixelArt Tailor()
{
    PixelArt art = RoomBox(1, 1, Hex(0xE8C4D0), Hex(0xD8AEBC));
    art.Fill(3, 14, 18, 3, kWood);
    art.Fill(6, 9, 8, 5, kSteelDark);  // sewing machine
    art.Fill(12, 7, 2, 7, kSteelDark);
    art.Disc(18.0f, 11.0f, 2.5f, kBlue);  // spool
    return art;
}

PixelArt MindControl()
{
    PixelArt art = RoomBox(1, 1, Hex(0x3C3350), Hex(0x322A44));
    art.Fill(4, 15, 16, 3, kSteel);  // chair
    art.Disc(12.0f, 8.0f, 4.5f, kViolet);  // helmet
    art.Line(8, 5, 4, 2, kTeal);
    art.Line(16, 5, 20, 2, kTeal);
    art.Dot(4, 2, kYellow);
    art.Dot(20, 2, kYellow);
    return art;
}

PixelArt Greenhouse()
{
    PixelArt art = RoomBox(2, 1, Hex(0xCFE8C8), Hex(0xBADBB2));
    for (int x = 5; x < 46; x += 8) Plant(art, x, 16, 6 + x % 5);
    return art;
}

PixelArt Still()
{
    PixelArt art = RoomBox(1, 1, Hex(0xB8D4DC), Hex(0xA2C2CC));
    art.Disc(9.0f, 12.0f, 5.5f, kCopper);
    art.Fill(8, 3, 2, 4, kCopper);
    art.Line(10, 4, 17, 9, kCopper);
    art.Fill(16, 11, 5, 7, kBlue);
    art.Fill(17, 12, 3, 2, kTeal);
    return art;
}

PixelArt FuelTank()
{
    PixelArt art = RoomBox(1, 1, Hex(0x7A6A4E), Hex(0x6A5A40));
    art.Bevel(3, 3, 18, 16, kRed, Hex(0xF06A6A), kRedDark);
    art.Fill(5, 9, 14, 3, kYellow);
    art.Fill(10, 1, 4, 3, kSteelDark);
    return art;
}

PixelArt Armour()
{
    PixelArt art = RoomBox(1, 1, kSteelDark, kOutline);
    for (int y = 2; y < 18; y += 5) {
        art.Bevel(2, y, 20, 5, kSteel, kSteelLight, kSteelDark);
        art.Dot(4, y + 2, kRivet);
        art.Dot(19, y + 2, kRivet);
    }
    return art;
}

PixelArt Lounge()
{
    PixelArt art = RoomBox(2, 1, Hex(0xD9B88C), Hex(0xC8A576));
    art.Bevel(3, 10, 18, 8, Hex(0x8E3B46), Hex(0xB0525E), Hex(0x652A32));  // sofa
    art.Fill(28, 13, 10, 2, kWood);  // table
    art.Fill(29, 15, 2, 3, kWoodDark);
    art.Fill(35, 15, 2, 3, kWoodDark);
    art.Disc(32.0f, 11.5f, 1.5f, kCream);
    art.Fill(40, 4, 5, 6, kGreen);  // module slots
    art.Frame(39, 3, 7, 8, kOutline);
    return art;
}

PixelArt MusicRoom()
{
    PixelArt art = RoomBox(1, 1, Hex(0xE2D2A8), Hex(0xD2C092));
    art.Bevel(2, 9, 14, 9, kOutline, kSteelDark, kOutline);  // piano
    for (int x = 3; x < 15; x += 2) art.Fill(x, 14, 1, 3, kWhite);
    art.Fill(18, 5, 1, 8, kOutline);  // a note on the wall
    art.Disc(17.0f, 13.0f, 1.5f, kOutline);
    return art;
}

PixelArt Library()
{
    PixelArt art = RoomBox(1, 1, Hex(0xB89A74), Hex(0xA6875F));
    Shelf(art, 2, 8, 20, true);
    Shelf(art, 2, 14, 20, true);
    return art;
}

PixelArt Garden()
{
    PixelArt art = RoomBox(2, 1, Hex(0xBFD9A8), Hex(0xA9C890));
    art.Fill(2, 15, 44, 4, kWoodDark);  // soil bed
    for (int x = 4; x < 46; x += 5) {
        art.Line(x, 14, x, 9, kGreenDark);
        art.Dot(x - 1, 10, kGreen);
        art.Dot(x + 1, 11, kGreen);
    }
    art.Disc(40.0f, 6.0f, 3.0f, kYellow);  // lamp
    return art;
}

PixelArt Shrine()
{
    PixelArt art = RoomBox(1, 1, Hex(0xD8C0A0), Hex(0xC8AC88));
    art.Fill(4, 4, 16, 2, kRed);  // gate beam
    art.Fill(6, 6, 2, 12, kRed);
    art.Fill(16, 6, 2, 12, kRed);
    art.Fill(10, 13, 4, 5, kGold);  // offering
    return art;
}

PixelArt Observatory()
{
    PixelArt art = RoomBox(1, 1, Hex(0x2E3A5A), Hex(0x26304A));
    art.Dot(4, 4, kWhite);
    art.Dot(18, 3, kWhite);
    art.Dot(14, 7, kYellow);
    art.Line(6, 16, 17, 6, kGold);  // telescope
    art.Line(7, 16, 18, 6, kCopper);
    art.Fill(8, 16, 6, 2, kSteel);
    return art;
}

PixelArt Arcade()
{
    PixelArt art = RoomBox(2, 1, Hex(0x3A2E4A), Hex(0x30263E));
    for (int x = 4; x < 44; x += 14) {
        art.Bevel(x, 4, 10, 14, kBlueDark, kBlue, kOutline);  // cabinets
        art.Fill(x + 2, 6, 6, 4, kTeal);
        art.Dot(x + 3, 12, kRed);
        art.Dot(x + 6, 12, kYellow);
    }
    return art;
}

PixelArt Cargo()
{
    PixelArt art = RoomBox(1, 1, Hex(0xA99574), Hex(0x97825F));
    Crate(art, 2, 11, 8);
    Crate(art, 11, 9, 10);
    Crate(art, 4, 4, 7);
    art.Fill(12, 4, 8, 4, kBlue);  // a tarpaulin bundle
    return art;
}

// An effect field's overlay for one cell: negative ions (sparks), music (notes) or smoke (puffs),
// in white so that the field's colour tints it; frame 0 or 1.
PixelArt FieldOverlay(int kind, int frame)
{
    PixelArt art(kCell, kCell);
    const Rgba soft = Hex(0xFFFFFF, 150);
    switch (kind) {
    case 0:
        for (int i = 0; i < 4; ++i) {
            const int x = 3 + ((i * 7 + frame * 5) % 18);
            const int y = 3 + ((i * 11 + frame * 9) % 18);
            art.Dot(x, y, kWhite);
            art.Dot(x - 1, y, soft);
            art.Dot(x + 1, y, soft);
            art.Dot(x, y - 1, soft);
            art.Dot(x, y + 1, soft);
        }
        break;
    case 1: {
        const int x = frame == 0 ? 6 : 13;
        const int y = frame == 0 ? 14 : 9;
        art.Disc(static_cast<float>(x), static_cast<float>(y), 2.0f, kWhite);
        art.Fill(x + 1, y - 7, 1, 7, kWhite);
        art.Fill(x + 2, y - 7, 3, 1, kWhite);
        break;
    }
    default:
        art.Disc(frame == 0 ? 8.0f : 14.0f, frame == 0 ? 14.0f : 10.0f, 5.0f, soft);
        art.Disc(frame == 0 ? 14.0f : 8.0f, frame == 0 ? 9.0f : 15.0f, 3.5f, soft);
        break;
    }
    return art;
}

}  // namespace

std::vector<tools::NamedImage> DrawShipRoomSprites()
{
    std::vector<tools::NamedImage> sprites;
    const std::pair<const char*, std::function<PixelArt()>> rooms[] = {
        {"lookout", Lookout},       {"infirmary", Infirmary}, {"workshop", Workshop},     {"machineshop", MachineShop},
        {"refinery", Refinery},     {"apothecary", Apothecary}, {"bakery", Bakery},       {"cellar", Cellar},
        {"foundry", Foundry},       {"tailor", Tailor},       {"mindcontrol", MindControl}, {"greenhouse", Greenhouse},
        {"still", Still},           {"fueltank", FuelTank},   {"armour", Armour},         {"lounge", Lounge},
        {"music", MusicRoom},       {"library", Library},     {"garden", Garden},         {"shrine", Shrine},
        {"observatory", Observatory}, {"arcade", Arcade},     {"cargo", Cargo},
    };
    for (const auto& [name, draw] : rooms) sprites.push_back(Named("dotroom_" + std::string(name) + "_01", draw()));
    static constexpr const char* kTurrets[kTurretKinds] = {"machinegun", "cannon", "laser"};
    for (int kind = 0; kind < kTurretKinds; ++kind) {
        for (int level = 1; level <= kTurretLevels; ++level) {
            sprites.push_back(Named("dotroom_" + std::string(kTurrets[kind]) + "_" + TwoDigits(level), Turret(kind, level)));
            sprites.push_back(Named("weapon_" + TwoDigits(kind + 1) + "_" + TwoDigits(level), TurretWeapon(kind, level)));
        }
    }
    static constexpr const char* kFields[] = {"minusion", "music", "smoke"};
    for (int kind = 0; kind < 3; ++kind) {
        for (int frame = 0; frame < 2; ++frame) {
            sprites.push_back(Named("bufffield_" + std::string(kFields[kind]) + "_" + TwoDigits(frame + 1), FieldOverlay(kind, frame)));
        }
    }
    return sprites;
}

}  // namespace spritegen
