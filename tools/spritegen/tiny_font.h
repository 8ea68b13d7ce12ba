// The 3 x 5 pixel letters, digits and marks of the small labels drawn into generated sprites.
#pragma once

#include "tools/spritegen/pixel_art.h"

namespace spritegen {

// Draws the glyph with its top-left at (x, y), one dot per set pixel; a name the font lacks draws nothing.
void DrawTinyGlyph(PixelArt& art, char name, int x, int y, Rgba ink);

}  // namespace spritegen
