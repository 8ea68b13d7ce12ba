// Writing sprite packages: sprites packed into one atlas with their table.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tools/common/rgba_image.h"
#include "tools/common/sprite_table_writer.h"

namespace tools {

struct NamedImage {
    std::string name;
    RgbaImage image;
};

// The sprites packed into one picture, with their table entries in the order
// the sprites were given.
struct PackedAtlas {
    RgbaImage image;
    std::vector<SpriteTableEntry> entries;
};

// Packs the sprites (shelf packing, power-of-two sides, a border repeating
// each sprite's edge). Nullopt (with a line on stderr) when they do not fit
// or a name is not usable.
std::optional<PackedAtlas> BuildAtlas(const std::vector<NamedImage>& sprites);

// A whole sprite package: the sprite table ("TSUB"), the atlas as a raw
// ".cvt" image named atlasName ("TEXD") and each extra image as a raw ".cvt"
// image of its own name ("TEXE").
std::optional<std::vector<uint8_t>> MakeSpritePackage(const std::string& atlasName,
                                                      const std::vector<NamedImage>& sprites,
                                                      const std::vector<NamedImage>& extraImages = {});

}  // namespace tools
