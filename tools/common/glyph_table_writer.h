// Writing ".abcd" glyph tables.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/graphics/glyph_table.h"

namespace tools {

// Collects glyph records and the code units that use them, then lays out a
// ".abcd" glyph table. The code table runs up to the highest mapped code unit;
// code units between that were not mapped name no glyph (-1).
class GlyphTableWriter {
public:
    // The largest glyph index the 16-bit code table can name.
    static constexpr int kMaxGlyphs = 32767;

    void SetCellHeight(float cellHeight) { cellHeight_ = cellHeight; }

    // The new glyph's index, or -1 when the table is full.
    int AddGlyph(const vesk::resource::Glyph& glyph);

    // Code unit 0 cannot be mapped (the table starts at 1); false then, and
    // for a glyph index that was not added.
    bool MapCode(char16_t code, int glyphIndex);

    std::vector<uint8_t> Write() const;

private:
    float cellHeight_ = 0.0f;
    std::vector<vesk::resource::Glyph> glyphs_;
    std::vector<int16_t> codes_;
};

}  // namespace tools
