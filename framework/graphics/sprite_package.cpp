// Finding the chunks of a sprite package, refusing one without an atlas.
#include "framework/graphics/sprite_package.h"

#include <string>

#include "framework/log/log.h"
#include "framework/resource/chunk_list.h"

namespace vesk::resource {

std::optional<SpritePackageChunks> ReadSpritePackageChunks(std::span<const uint8_t> file, std::string_view what)
{
    std::vector<ChunkEntry> chunks;
    if (!ReadChunkList(file, what, chunks)) {
        return std::nullopt;
    }
    SpritePackageChunks out;
    bool hasAtlas = false;
    for (const ChunkEntry& chunk : chunks) {
        if (chunk.tag == MakeTag("TSUB")) {
            out.table = chunk.data;
        } else if (chunk.tag == MakeTag("TEXD")) {
            out.atlas = chunk.data;
            hasAtlas = true;
        } else if (chunk.tag == MakeTag("TEXE")) {
            out.extraImages.push_back(chunk.data);
        }
    }
    // Every sprite draws from the atlas, so a package without one has nothing
    // to show; refusing it keeps sprites from pointing at no texture.
    if (!hasAtlas) {
        log::Error(std::string(what) + ": sprite package without an atlas (\"TEXD\" chunk); not loaded");
        return std::nullopt;
    }
    // Each image becomes a texture of its own, so the images together may hold no more than the file:
    // records naming one large chunk over and over would grow a small file into many times its size.
    std::uint64_t imageBytes = out.atlas.size();
    for (const std::span<const uint8_t> image : out.extraImages) imageBytes += image.size();
    if (imageBytes > file.size()) {
        log::Error(std::string(what) + ": the sprite package's images add up to " + std::to_string(imageBytes) +
                   " bytes, more than the file's " + std::to_string(file.size()) + "; their chunks overlap; not loaded");
        return std::nullopt;
    }
    return out;
}

}  // namespace vesk::resource
