// The user interface's flat style shared by its sprite drawers: slate panels with a light frame, teal for what can be pressed.
#pragma once

#include "tools/spritegen/pixel_art.h"
#include "tools/spritegen/world_palette.h"

namespace spritegen::ui_style {

inline constexpr Rgba kPanel = Hex(0x1E2A33, 248);
inline constexpr Rgba kPanelFace = Hex(0x26353F, 240);
inline constexpr Rgba kFrame = Hex(0xA8C6D6);
inline constexpr Rgba kFrameDim = Hex(0x5E7785);
inline constexpr Rgba kOutline = Hex(0x10161B);
inline constexpr Rgba kTeal = Hex(0x2F7A80);
inline constexpr Rgba kTealLight = Hex(0x9FE3DA);
inline constexpr Rgba kTealDeep = Hex(0x17393D);
// The pressed ("_touch") twin of a button.
inline constexpr Rgba kTealTouch = Hex(0x1F5257);
inline constexpr Rgba kTealTouchLight = Hex(0x6FB0A8);
inline constexpr Rgba kGrey = Hex(0x6C7479);
inline constexpr Rgba kGreyLight = Hex(0xB7BEC2);
inline constexpr Rgba kRed = Hex(0xE0605A);
inline constexpr Rgba kGreen = Hex(0x7FD36B);

// The bright accents are the world's.
using world_palette::kCream;
using world_palette::kWhite;
using world_palette::kYellow;

}  // namespace spritegen::ui_style
