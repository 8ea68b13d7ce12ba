// Reading a ".abcd" glyph table, with every offset and count checked.
#include "framework/graphics/glyph_table.h"

#include <cmath>
#include <string>

#include "framework/log/log.h"
#include "platform/little_endian.h"

namespace vesk::resource {
namespace {

using platform::ReadF32;
using platform::ReadI16;
using platform::ReadU16;

void Refuse(std::string_view source, const std::string& reason)
{
    log::Error("glyph table \"" + std::string(source) + "\": " + reason);
}

}  // namespace

std::optional<GlyphTable> GlyphTable::Parse(std::span<const uint8_t> bytes, std::string_view source)
{
    using namespace glyph_table;
    if (bytes.size() < kCodeTableOffset) {
        Refuse(source, "file of " + std::to_string(bytes.size()) + " bytes is shorter than the " +
                           std::to_string(kCodeTableOffset) + "-byte header");
        return std::nullopt;
    }
    const size_t codeCount = ReadU16(bytes, kCodeCountOffset);
    const size_t recordsOffset = RecordsOffset(codeCount);
    if (bytes.size() < recordsOffset) {
        Refuse(source, "code table of " + std::to_string(codeCount) + " entries runs past the file of " +
                           std::to_string(bytes.size()) + " bytes");
        return std::nullopt;
    }

    GlyphTable table;
    table.cellHeight_ = ReadF32(bytes, kCellHeightOffset);
    if (!std::isfinite(table.cellHeight_)) {
        Refuse(source, "cell height is not a finite number");
        return std::nullopt;
    }
    table.codes_.resize(codeCount);
    for (size_t i = 0; i < codeCount; ++i) {
        table.codes_[i] = ReadI16(bytes, kCodeTableOffset + 2 * i);
    }
    // The file does not store the record count: records fill the rest of it,
    // and bytes too few for a whole record are left over.
    const size_t recordCount = (bytes.size() - recordsOffset) / kRecordSize;
    table.glyphs_.resize(recordCount);
    for (size_t i = 0; i < recordCount; ++i) {
        const size_t at = recordsOffset + i * kRecordSize;
        Glyph& glyph = table.glyphs_[i];
        glyph.left = ReadF32(bytes, at + kRecordLeftOffset);
        glyph.top = ReadF32(bytes, at + kRecordTopOffset);
        glyph.right = ReadF32(bytes, at + kRecordRightOffset);
        glyph.bottom = ReadF32(bytes, at + kRecordBottomOffset);
        glyph.advance = ReadI16(bytes, at + kRecordAdvanceOffset);
        if (!std::isfinite(glyph.left) || !std::isfinite(glyph.top) || !std::isfinite(glyph.right) ||
            !std::isfinite(glyph.bottom)) {
            Refuse(source, "glyph record " + std::to_string(i) + " has an edge that is not a finite number");
            return std::nullopt;
        }
    }
    return table;
}

const Glyph* GlyphTable::Find(char16_t code) const
{
    if (code == 0 || code > codes_.size()) {
        return nullptr;
    }
    const int16_t index = codes_[code - 1];
    if (index < 0 || static_cast<size_t>(index) >= glyphs_.size()) {
        return nullptr;
    }
    return &glyphs_[static_cast<size_t>(index)];
}

}  // namespace vesk::resource
