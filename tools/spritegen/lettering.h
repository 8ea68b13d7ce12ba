// Words set in the fonts for the generated sprites: one row of glyph cells and its crisp ink.
#pragma once

#include <string_view>
#include <vector>

#include "tools/common/font_atlas.h"
#include "tools/fontbuild/glyph_rasterizer.h"
#include "tools/spritegen/pixel_art.h"

namespace spritegen {

// A text's glyphs in one row and the pen width they take.
struct TextRun {
    int width = 0;
    std::vector<tools::GlyphCell> cells;
};

// Characters no font has are left out, with a warning on stderr.
TextRun SetText(tools::GlyphRasterizer& rasterizer, std::u16string_view text);

// Draws the run with its top-left at (x, y): ink where a glyph covers at least a third of a pixel,
// so the letters stay sharp at whole-step scales.
void DrawText(PixelArt& art, const TextRun& run, int x, int y, Rgba ink);

}  // namespace spritegen
