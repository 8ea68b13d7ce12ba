// What the ship's room sprites share: one palette, the room box every room is drawn in, crates and the turrets.
#pragma once

#include <string>

#include "tools/common/sprite_package_writer.h"
#include "tools/spritegen/pixel_art.h"
#include "tools/spritegen/world_palette.h"

namespace spritegen::ship_art {

// A grid cell: 24 x 24 pixels.
inline constexpr int kCell = 24;

// One palette for every room so the ship reads as one piece: the world's colours and the rooms' own.
using namespace world_palette;

inline constexpr Rgba kRivet = Hex(0xA7B2B9);
inline constexpr Rgba kTeal = Hex(0x4FD1C5);
inline constexpr Rgba kTealDark = Hex(0x2A8C84);
inline constexpr Rgba kWood = Hex(0x9C6B3F);
inline constexpr Rgba kWoodLight = Hex(0xC08A55);
inline constexpr Rgba kWoodDark = Hex(0x6B4527);
inline constexpr Rgba kRedDark = Hex(0x8E2222);
inline constexpr Rgba kOrange = Hex(0xE8893A);
inline constexpr Rgba kBlueDark = Hex(0x2F4F86);
inline constexpr Rgba kCopper = Hex(0xC8743A);
inline constexpr Rgba kGold = Hex(0xD9A441);
inline constexpr Rgba kViolet = Hex(0xA070E0);
inline constexpr Rgba kGreen = Hex(0x5DB35B);
inline constexpr Rgba kGreenDark = Hex(0x357A3A);
inline constexpr Rgba kShadow = Hex(0x000000, 90);

// A room: outline, back wall in the room's colour, a deck strip along the floor.
PixelArt RoomBox(int cellsWide, int cellsHigh, Rgba wall, Rgba wallDark);
// A wooden crate of the given size with its cross brace.
void Crate(PixelArt& art, int x, int y, int size);

// Turret kinds: 0 machine gun, 1 cannon, 2 laser.
inline constexpr int kTurretKinds = 3;
inline constexpr int kTurretLevels = 5;
// A turret on its steel base at level 1 to 5: each level adds armour and a brighter band.
PixelArt Turret(int kind, int level);
// The turret's weapon as the zoomed-out ship shows it: the barrel alone, pointing ahead.
PixelArt TurretWeapon(int kind, int level);

}  // namespace spritegen::ship_art
