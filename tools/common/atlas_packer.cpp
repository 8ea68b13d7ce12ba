// Shelf packing of pictures into the smallest power-of-two atlas.
#include "tools/common/atlas_packer.h"

#include <algorithm>
#include <numeric>

namespace tools {
namespace {

uint32_t NextPowerOfTwo(uint64_t value)
{
    uint32_t result = 1;
    while (result < value && result < kMaxAtlasSide * 2) result *= 2;
    return result;
}

// Packs into rows of the given width; the height used, or nullopt when one
// picture is wider than the width.
std::optional<uint32_t> PackRows(const std::vector<AtlasSize>& sizes, const std::vector<size_t>& order,
                                 uint32_t width, std::vector<AtlasPlace>& places)
{
    uint32_t x = 0;
    uint32_t y = 0;
    uint32_t rowHeight = 0;
    for (size_t index : order) {
        const uint32_t cellWidth = sizes[index].width + 2 * kAtlasBorder;
        const uint32_t cellHeight = sizes[index].height + 2 * kAtlasBorder;
        if (cellWidth > width) return std::nullopt;
        if (x + cellWidth > width) {
            y += rowHeight;
            x = 0;
            rowHeight = 0;
        }
        places[index] = {x + kAtlasBorder, y + kAtlasBorder};
        x += cellWidth;
        rowHeight = std::max(rowHeight, cellHeight);
    }
    return y + rowHeight;
}

}  // namespace

std::optional<AtlasLayout> PackAtlas(const std::vector<AtlasSize>& sizes)
{
    uint32_t widest = 1;
    for (const AtlasSize& size : sizes) {
        if (size.width == 0 || size.height == 0 || size.width > kMaxAtlasSide || size.height > kMaxAtlasSide) {
            return std::nullopt;
        }
        widest = std::max(widest, size.width + 2 * kAtlasBorder);
    }
    std::vector<size_t> order(sizes.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return sizes[a].height != sizes[b].height ? sizes[a].height > sizes[b].height : sizes[a].width > sizes[b].width;
    });

    // Try every power-of-two width from the narrowest that holds the widest
    // picture and keep the smallest atlas (the squarer one on a tie).
    std::optional<AtlasLayout> best;
    for (uint32_t width = NextPowerOfTwo(widest); width <= kMaxAtlasSide; width *= 2) {
        AtlasLayout layout;
        layout.places.resize(sizes.size());
        const std::optional<uint32_t> used = PackRows(sizes, order, width, layout.places);
        if (!used) continue;
        const uint32_t height = NextPowerOfTwo(std::max<uint32_t>(*used, 1));
        if (height > kMaxAtlasSide || height > width * 2) continue;
        layout.size = {width, height};
        const uint64_t area = static_cast<uint64_t>(width) * height;
        const uint64_t bestArea = best ? static_cast<uint64_t>(best->size.width) * best->size.height : UINT64_MAX;
        if (area < bestArea || (area == bestArea && width <= height)) best = std::move(layout);
    }
    if (best) return best;
    return std::nullopt;
}

}  // namespace tools
