// What the ship's room sprites share: one palette, the room box every room is drawn in, crates and the turrets.
#include "tools/spritegen/ship_art_kit.h"

namespace spritegen::ship_art {
namespace {

// The band round a turret's base, by level.
constexpr Rgba kLevelBands[kTurretLevels] = {kSteelLight, Hex(0x9AB0BE), kCopper, kGold, Hex(0xF2E6A0)};

Rgba TurretBody(int kind) { return kind == 2 ? Hex(0x6B5B8C) : kSteel; }
Rgba TurretBodyLight(int kind) { return kind == 2 ? Hex(0x8F7BB8) : kSteelLight; }

void DrawBarrels(PixelArt& art, int kind, int level, int x0)
{
    const int reach = 8 + level / 2;
    switch (kind) {
    case 0:  // twin thin barrels, a third from level 4
        for (const int y : {9, 12}) {
            art.Fill(x0, y, reach, 2, kOutline);
            art.Fill(x0, y, reach, 1, kSteelDark);
        }
        if (level >= 4) {
            art.Fill(x0, 15, reach - 2, 2, kOutline);
            art.Fill(x0, 15, reach - 2, 1, kSteelDark);
        }
        break;
    case 1:  // one heavy barrel with a muzzle ring that grows
        art.Fill(x0 - 1, 9, reach + 1, 5, kOutline);
        art.Fill(x0 - 1, 10, reach, 3, kSteelDark);
        art.Fill(x0 + reach - 2, 8 - level / 3, 3, 7 + 2 * (level / 3), kSteelDark);
        art.Fill(x0 + reach - 2, 8 - level / 3, 3, 1, kSteelLight);
        break;
    default:  // emitter with a crystal tip that glows brighter
        art.Fill(x0, 10, reach - 2, 3, kOutline);
        art.Disc(static_cast<float>(x0 + reach - 2), 11.5f, 2.0f + 0.25f * static_cast<float>(level), kViolet);
        art.Dot(x0 + reach - 3, 10, kWhite);
        break;
    }
}

}  // namespace

PixelArt RoomBox(int cellsWide, int cellsHigh, Rgba wall, Rgba wallDark)
{
    PixelArt art(cellsWide * kCell, cellsHigh * kCell);
    const int w = art.Width();
    const int h = art.Height();
    art.OutlinedFill(0, 0, w, h, kOutline, wall);
    for (int x = 4; x < w - 4; x += 8) art.Fill(x, 2, 1, h - 7, wallDark);  // wall panels
    art.Fill(1, h - 5, w - 2, 4, kSteel);
    art.Fill(1, h - 5, w - 2, 1, kSteelLight);
    art.Fill(1, h - 2, w - 2, 1, kSteelDark);
    return art;
}

void Crate(PixelArt& art, int x, int y, int size)
{
    art.Bevel(x, y, size, size, kWood, kWoodLight, kWoodDark);
    art.Line(x + 1, y + 1, x + size - 2, y + size - 2, kWoodDark);
    art.Frame(x, y, size, size, kOutline);
}

PixelArt Turret(int kind, int level)
{
    PixelArt art(kCell, kCell);
    art.Bevel(2, 16, 20, 7, kSteel, kSteelLight, kSteelDark);
    art.Fill(2, 22, 20, 1, kOutline);
    art.Fill(3, 18, 18, 1, kLevelBands[(level - 1) % kTurretLevels]);
    for (int plate = 1; plate < level; ++plate) art.Fill(2 + plate * 4, 20, 2, 2, kRivet);
    art.OutlinedDisc(11.5f, 15.5f, 6.5f, kOutline, TurretBody(kind));
    art.Disc(10.5f, 14.0f, 2.0f, TurretBodyLight(kind));
    DrawBarrels(art, kind, level, 15);
    art.Fill(4, 23, 16, 1, kShadow);
    return art;
}

PixelArt TurretWeapon(int kind, int level)
{
    PixelArt art(kCell, kCell);
    art.OutlinedDisc(8.5f, 11.5f, 4.5f, kOutline, TurretBody(kind));
    DrawBarrels(art, kind, level, 11);
    return art;
}

}  // namespace spritegen::ship_art
