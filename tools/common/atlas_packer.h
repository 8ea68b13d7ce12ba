// Packing pictures into one atlas: the sizes, the places and the shelf packer.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace tools {

struct AtlasSize {
    uint32_t width = 0;
    uint32_t height = 0;
};

// Where one picture went: its top-left pixel in the atlas.
struct AtlasPlace {
    uint32_t x = 0;
    uint32_t y = 0;
};

struct AtlasLayout {
    AtlasSize size;
    std::vector<AtlasPlace> places;  // in the order the sizes were given
};

// Every picture is surrounded by a border of this many pixels that repeats
// its edge, so that filtering at a sprite's edge never reads a neighbour.
inline constexpr uint32_t kAtlasBorder = 1;
inline constexpr uint32_t kMaxAtlasSide = 4096;

// Shelf packing: tallest first, left to right in rows. The atlas sides are
// powers of two, the height at most twice the width, and of those the
// smallest atlas. Nullopt when a picture is empty or they do not fit
// kMaxAtlasSide.
std::optional<AtlasLayout> PackAtlas(const std::vector<AtlasSize>& sizes);

}  // namespace tools
