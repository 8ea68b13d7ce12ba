// Sprites packed into an atlas with repeated borders, and the sprite package around it.
#include "tools/common/sprite_package_writer.h"

#include <algorithm>
#include <cstring>
#include <iostream>

#include "tools/common/atlas_packer.h"
#include "tools/common/chunk_list_writer.h"
#include "tools/common/image_writer.h"

namespace tools {
namespace {

// Copies a sprite into the atlas with its border: pixels outside the sprite
// repeat the nearest edge pixel.
void Blit(const RgbaImage& sprite, const AtlasPlace& place, RgbaImage& atlas)
{
    const auto border = static_cast<int64_t>(kAtlasBorder);
    const auto width = static_cast<int64_t>(sprite.width);
    const auto height = static_cast<int64_t>(sprite.height);
    for (int64_t y = -border; y < height + border; ++y) {
        const int64_t sourceY = std::clamp<int64_t>(y, 0, height - 1);
        for (int64_t x = -border; x < width + border; ++x) {
            const int64_t sourceX = std::clamp<int64_t>(x, 0, width - 1);
            const size_t from = static_cast<size_t>((sourceY * width + sourceX) * 4);
            const size_t to = static_cast<size_t>(((place.y + y) * atlas.width + (place.x + x)) * 4);
            std::memcpy(&atlas.rgba[to], &sprite.rgba[from], 4);
        }
    }
}

}  // namespace

std::optional<PackedAtlas> BuildAtlas(const std::vector<NamedImage>& sprites)
{
    std::vector<AtlasSize> sizes;
    for (const NamedImage& sprite : sprites) {
        if (sprite.image.rgba.size() != static_cast<size_t>(sprite.image.width) * sprite.image.height * 4) {
            std::cerr << "error: sprite \"" << sprite.name << "\" has a broken picture\n";
            return std::nullopt;
        }
        if (sprite.image.width > 0xFFFF || sprite.image.height > 0xFFFF) {
            std::cerr << "error: sprite \"" << sprite.name << "\" is too large\n";
            return std::nullopt;
        }
        sizes.push_back({sprite.image.width, sprite.image.height});
    }
    const std::optional<AtlasLayout> layout = PackAtlas(sizes);
    if (!layout) {
        std::cerr << "error: the " << sprites.size() << " sprites do not fit one atlas of at most " << kMaxAtlasSide
                  << " pixels a side\n";
        return std::nullopt;
    }
    PackedAtlas packed;
    packed.image = RgbaImage(layout->size.width, layout->size.height);
    const auto atlasWidth = static_cast<float>(layout->size.width);
    const auto atlasHeight = static_cast<float>(layout->size.height);
    for (size_t i = 0; i < sprites.size(); ++i) {
        const NamedImage& sprite = sprites[i];
        const AtlasPlace& place = layout->places[i];
        Blit(sprite.image, place, packed.image);
        packed.entries.push_back({sprite.name, static_cast<uint16_t>(sprite.image.width),
                                  static_cast<uint16_t>(sprite.image.height), place.x / atlasWidth,
                                  place.y / atlasHeight, (place.x + sprite.image.width) / atlasWidth,
                                  (place.y + sprite.image.height) / atlasHeight});
    }
    return packed;
}

std::optional<std::vector<uint8_t>> MakeSpritePackage(const std::string& atlasName,
                                                      const std::vector<NamedImage>& sprites,
                                                      const std::vector<NamedImage>& extraImages)
{
    const std::optional<PackedAtlas> packed = BuildAtlas(sprites);
    if (!packed) return std::nullopt;
    const std::optional<std::vector<uint8_t>> table = MakeSpriteTable(packed->entries);
    const std::optional<std::vector<uint8_t>> atlas = MakeImageFile(packed->image, atlasName, ImageEncoding::Raw);
    if (!table || !atlas) return std::nullopt;

    std::vector<PackageChunk> chunks;
    chunks.push_back({"TSUB", "sprites", *table});
    chunks.push_back({"TEXD", atlasName, *atlas});
    for (const NamedImage& extra : extraImages) {
        const std::optional<std::vector<uint8_t>> image = MakeImageFile(extra.image, extra.name, ImageEncoding::Raw);
        if (!image) return std::nullopt;
        chunks.push_back({"TEXE", extra.name, *image});
    }
    return MakeChunkList(chunks);
}

}  // namespace tools
