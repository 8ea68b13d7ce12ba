// Glyph records and code units collected and laid out as a ".abcd" glyph table.
#include "tools/common/glyph_table_writer.h"

#include "tools/common/byte_writer.h"

namespace tools {

namespace layout = vesk::resource::glyph_table;

int GlyphTableWriter::AddGlyph(const vesk::resource::Glyph& glyph)
{
    if (glyphs_.size() >= kMaxGlyphs) {
        return -1;
    }
    glyphs_.push_back(glyph);
    return static_cast<int>(glyphs_.size() - 1);
}

bool GlyphTableWriter::MapCode(char16_t code, int glyphIndex)
{
    if (code == 0 || glyphIndex < 0 || static_cast<size_t>(glyphIndex) >= glyphs_.size()) {
        return false;
    }
    if (codes_.size() < code) {
        codes_.resize(code, -1);
    }
    codes_[code - 1] = static_cast<int16_t>(glyphIndex);
    return true;
}

std::vector<uint8_t> GlyphTableWriter::Write() const
{
    ByteWriter out;
    out.PadTo(layout::kCellHeightOffset);
    out.F32(cellHeight_);
    out.PadTo(layout::kCodeCountOffset);
    out.U16(static_cast<uint16_t>(codes_.size()));
    out.PadTo(layout::kCodeTableOffset);
    for (int16_t index : codes_) {
        out.I16(index);
    }
    out.PadTo(layout::RecordsOffset(codes_.size()));
    for (const vesk::resource::Glyph& glyph : glyphs_) {
        const size_t start = out.Size();
        out.F32(glyph.left);
        out.F32(glyph.top);
        out.F32(glyph.right);
        out.F32(glyph.bottom);
        out.PadTo(start + layout::kRecordAdvanceOffset);
        out.I16(glyph.advance);
        out.PadTo(start + layout::kRecordSize);
    }
    return std::move(out.Data());
}

}  // namespace tools
