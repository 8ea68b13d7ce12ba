// A font's image and glyph table built from rasterised character cells.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "tools/common/rgba_image.h"

namespace tools {

// One rasterised character: a cell as tall as the font's line, whose left
// edge is the pen position and whose top is the top of the line, so that the
// text drawing can put the cell at the pen as it stands.
struct GlyphCell {
    char16_t code = 0;
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint8_t> coverage;  // width x height, rows top to bottom
    int16_t advance = 0;            // pen movement after the glyph, pixels
};

// A font's image (white, coverage in alpha) and its ".abcd" glyph table.
struct FontAtlas {
    RgbaImage image;
    std::vector<uint8_t> glyphTable;
};

// Packs the cells into one image with transparent gaps between them and maps
// each cell's code unit to its glyph. Nullopt (with a line on stderr) when a
// cell is empty or malformed, a code unit is 0 or repeats, or the cells do
// not fit the largest image.
std::optional<FontAtlas> BuildFontAtlas(const std::vector<GlyphCell>& cells, float cellHeight);

}  // namespace tools
