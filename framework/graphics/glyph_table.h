// The ".abcd" glyph table of a font: its layout, and glyphs looked up by UTF-16 code unit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace vesk::resource {

// ".abcd" glyph table: a 24-byte header holding the cell height and the code
// count N, N glyph indices for the UTF-16 code units 1 to N, one unread word,
// then 24-byte glyph records up to the end of the file.
namespace glyph_table {
inline constexpr size_t kCellHeightOffset = 4;
inline constexpr size_t kCodeCountOffset = 20;
inline constexpr size_t kCodeTableOffset = 24;
inline constexpr size_t kGapAfterCodeTable = 4;
inline constexpr size_t kRecordSize = 24;
inline constexpr size_t kRecordLeftOffset = 0;
inline constexpr size_t kRecordTopOffset = 4;
inline constexpr size_t kRecordRightOffset = 8;
inline constexpr size_t kRecordBottomOffset = 12;
inline constexpr size_t kRecordAdvanceOffset = 18;

inline constexpr size_t RecordsOffset(size_t codeCount)
{
    return kCodeTableOffset + 2 * codeCount + kGapAfterCodeTable;
}
}  // namespace glyph_table

// Where a glyph sits in the font image, as fractions of the image's width and
// height, and how far the pen moves after it (pixels at scale 1).
struct Glyph {
    float left = 0.0f;
    float top = 0.0f;
    float right = 0.0f;
    float bottom = 0.0f;
    int16_t advance = 0;
};

class GlyphTable {
public:
    // Refuses, with an error line naming the source, a table whose code
    // entries run past the file or whose numbers are not finite.
    static std::optional<GlyphTable> Parse(std::span<const uint8_t> bytes, std::string_view source);

    // Height of one text line in image pixels at scale 1.
    float CellHeight() const { return cellHeight_; }
    size_t CodeCount() const { return codes_.size(); }
    size_t GlyphCount() const { return glyphs_.size(); }

    // The glyph of a code unit; null for code units outside 1 to N and for
    // entries that name no glyph record (negative or past the last record).
    const Glyph* Find(char16_t code) const;

private:
    float cellHeight_ = 0.0f;
    std::vector<int16_t> codes_;
    std::vector<Glyph> glyphs_;
};

}  // namespace vesk::resource
