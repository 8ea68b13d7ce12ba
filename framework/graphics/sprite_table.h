// The sprite table of a sprite package ("BUST" block): a 32-byte header and one 64-byte entry per sprite.
// Each entry names a sprite and places it in the package's atlas.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vesk::resource {

namespace sprite_table {
inline constexpr size_t kHeaderSize = 32;
inline constexpr size_t kEntrySize = 64;
inline constexpr size_t kNameSize = 32;
inline constexpr size_t kMagicOffset = 0;
inline constexpr size_t kHeaderSizeOffset = 4;
inline constexpr size_t kEntrySizeOffset = 8;
inline constexpr size_t kCountOffset = 12;
inline constexpr uint32_t kCountMask = 0x7FFFFFFF;  // the top bit is reserved
// Within an entry.
inline constexpr size_t kWidthOffset = 32;
inline constexpr size_t kHeightOffset = 34;
inline constexpr size_t kUvMinOffset = 48;
inline constexpr size_t kUvMaxOffset = 56;
}  // namespace sprite_table

// One sprite of a package: its name, its size in pixels and its rectangle in
// the atlas as texture coordinates.
struct SpriteEntry {
    std::string name;
    uint16_t width = 0;
    uint16_t height = 0;
    float uMin = 0.0f;  // top-left
    float vMin = 0.0f;
    float uMax = 0.0f;  // bottom-right
    float vMax = 0.0f;
};

// Reads the entries of a table. A table whose header is not "BUST" with sizes
// 32 and 64, or that holds no entries, has no sprites (nullopt, with a warning
// naming `what`); so has one whose entries run past the block's end (error).
std::optional<std::vector<SpriteEntry>> ParseSpriteTable(std::span<const uint8_t> block, std::string_view what);

}  // namespace vesk::resource
