// The colours the world's sprites share: one dark outline, the steel of machines, rust and the bright accents.
#pragma once

#include "tools/spritegen/pixel_art.h"

namespace spritegen::world_palette {

inline constexpr Rgba kOutline = Hex(0x1F2428);
inline constexpr Rgba kSteel = Hex(0x5B6770);
inline constexpr Rgba kSteelLight = Hex(0x7D8A93);
inline constexpr Rgba kSteelDark = Hex(0x3A434A);
inline constexpr Rgba kRust = Hex(0x9E4F2A);
inline constexpr Rgba kRustLight = Hex(0xC4703F);
inline constexpr Rgba kRed = Hex(0xE04848);
inline constexpr Rgba kYellow = Hex(0xF2C94C);
inline constexpr Rgba kBlue = Hex(0x4A78C2);
inline constexpr Rgba kCream = Hex(0xEDE6D6);
inline constexpr Rgba kWhite = Hex(0xFFFFFF);

}  // namespace spritegen::world_palette
