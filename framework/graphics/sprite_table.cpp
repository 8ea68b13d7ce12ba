// Reading a sprite package's sprite table, with its header and entry count checked.
#include "framework/graphics/sprite_table.h"

#include "framework/log/log.h"
#include "framework/resource/chunk_list.h"
#include "framework/resource/file_fields.h"
#include "platform/little_endian.h"

namespace vesk::resource {
namespace {

using platform::ReadF32;
using platform::ReadU16;
using platform::ReadU32;

SpriteEntry ReadEntry(std::span<const uint8_t> entry)
{
    using namespace sprite_table;
    SpriteEntry out;
    out.name = ReadFixedText(entry, 0, kNameSize);
    out.width = ReadU16(entry, kWidthOffset);
    out.height = ReadU16(entry, kHeightOffset);
    out.uMin = ReadF32(entry, kUvMinOffset);
    out.vMin = ReadF32(entry, kUvMinOffset + 4);
    out.uMax = ReadF32(entry, kUvMaxOffset);
    out.vMax = ReadF32(entry, kUvMaxOffset + 4);
    return out;
}

}  // namespace

std::optional<std::vector<SpriteEntry>> ParseSpriteTable(std::span<const uint8_t> block, std::string_view what)
{
    using namespace sprite_table;
    const std::string where(what);
    if (block.size() < kHeaderSize || ReadU32(block, kMagicOffset) != MakeTag("BUST") ||
        ReadU32(block, kHeaderSizeOffset) != kHeaderSize || ReadU32(block, kEntrySizeOffset) != kEntrySize) {
        log::Warning(where + ": the sprite table has no \"BUST\" header of sizes 32 and 64; no sprites");
        return std::nullopt;
    }
    const uint64_t count = ReadU32(block, kCountOffset) & kCountMask;
    if (count == 0) {
        log::Warning(where + ": the sprite table is empty");
        return std::nullopt;
    }
    if (count > (block.size() - kHeaderSize) / kEntrySize) {
        log::Error(where + ": the sprite table's " + std::to_string(count) + " entries run past its " +
                   std::to_string(block.size()) + " bytes; no sprites");
        return std::nullopt;
    }
    std::vector<SpriteEntry> entries;
    entries.reserve(static_cast<size_t>(count));
    for (uint64_t i = 0; i < count; ++i) {
        entries.push_back(ReadEntry(block.subspan(kHeaderSize + static_cast<size_t>(i) * kEntrySize, kEntrySize)));
    }
    return entries;
}

}  // namespace vesk::resource
