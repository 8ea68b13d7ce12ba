// A sprite package (".pac"): a chunk list with one atlas image, its sprite table and stand-alone images.
// The chunks are "TEXD" (the atlas), "TSUB" (the sprite table) and "TEXE"
// (stand-alone images, any number).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace vesk::resource {

struct SpritePackageChunks {
    std::span<const uint8_t> table;  // the last "TSUB"; empty when there is none
    std::span<const uint8_t> atlas;  // the last "TEXD"
    std::vector<std::span<const uint8_t>> extraImages;  // every "TEXE", in order
};

// Finds the chunks of a package held in memory; the spans view `file`. A
// broken chunk list, or a package without an atlas, is refused with an error
// line naming `what`.
std::optional<SpritePackageChunks> ReadSpritePackageChunks(std::span<const uint8_t> file, std::string_view what);

}  // namespace vesk::resource
