// The sprite table's header and 64-byte entries laid out.
#include "tools/common/sprite_table_writer.h"

#include <algorithm>
#include <cstring>
#include <iostream>

#include "tools/common/byte_writer.h"

namespace tools {
namespace {

constexpr size_t kHeaderSize = 32;
constexpr size_t kEntrySize = 64;

}  // namespace

std::optional<std::vector<uint8_t>> MakeSpriteTable(const std::vector<SpriteTableEntry>& entries)
{
    std::vector<uint8_t> bytes(kHeaderSize + entries.size() * kEntrySize, 0);
    std::memcpy(bytes.data(), "BUST", 4);
    PutU32(bytes, 4, kHeaderSize);
    PutU32(bytes, 8, kEntrySize);
    PutU32(bytes, 12, static_cast<uint32_t>(entries.size()));
    for (size_t i = 0; i < entries.size(); ++i) {
        const SpriteTableEntry& entry = entries[i];
        if (entry.name.empty() || entry.name.size() > kMaxSpriteNameLength ||
            entry.name.find('\0') != std::string::npos) {
            std::string shown = entry.name;
            std::replace(shown.begin(), shown.end(), '\0', '?');
            std::cerr << "error: sprite name \"" << shown << "\" must be 1 to " << kMaxSpriteNameLength
                      << " bytes without a zero byte\n";
            return std::nullopt;
        }
        const size_t base = kHeaderSize + i * kEntrySize;
        std::memcpy(bytes.data() + base, entry.name.data(), entry.name.size());
        PutU16(bytes, base + 32, entry.width);
        PutU16(bytes, base + 34, entry.height);
        PutF32(bytes, base + 48, entry.uMin);
        PutF32(bytes, base + 52, entry.vMin);
        PutF32(bytes, base + 56, entry.uMax);
        PutF32(bytes, base + 60, entry.vMax);
    }
    return bytes;
}

}  // namespace tools
