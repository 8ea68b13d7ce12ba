// The 2D draw state every screen starts from, and the width of a text in the player's font.
#pragma once

#include <string_view>

// Default rasterizer, depth-stencil and sampler states, the player's font and sprite drawing
// with no group and blend mode 4.
void ResetDrawState();
// The same with the mini-game's font (slot 1).
void ResetDrawStateMiniGame();
// The width of a text in the player's font; the widest line of a text of several lines.
float MeasureText(std::u16string_view text);
