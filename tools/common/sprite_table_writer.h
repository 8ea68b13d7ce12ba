// Writing the sprite table of a sprite package.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tools {

// One entry of a sprite table: the name (at most 31 bytes, no zero byte), the
// size in pixels and the rectangle in the atlas as texture coordinates.
struct SpriteTableEntry {
    std::string name;
    uint16_t width = 0;
    uint16_t height = 0;
    float uMin = 0.0f;
    float vMin = 0.0f;
    float uMax = 0.0f;
    float vMax = 0.0f;
};

inline constexpr size_t kMaxSpriteNameLength = 31;

// The "BUST" block: a 32-byte header (tag, header size 32, entry size 64,
// count) and the 64-byte entries. Nullopt (with a line on stderr) for a name
// that does not fit.
std::optional<std::vector<uint8_t>> MakeSpriteTable(const std::vector<SpriteTableEntry>& entries);

}  // namespace tools
