// The atlas packer: pictures inside without overlap, small sets small and impossible ones refused.
#include <gtest/gtest.h>

#include "tools/common/atlas_packer.h"

namespace tools {
namespace {

bool Overlap(const AtlasPlace& a, const AtlasSize& as, const AtlasPlace& b, const AtlasSize& bs)
{
    // Compare the cells with their borders.
    const auto lo = [](uint32_t v) { return v - kAtlasBorder; };
    return lo(a.x) < b.x + bs.width + kAtlasBorder && lo(b.x) < a.x + as.width + kAtlasBorder &&
           lo(a.y) < b.y + bs.height + kAtlasBorder && lo(b.y) < a.y + as.height + kAtlasBorder;
}

TEST(AtlasPacker, PlacesEveryPictureInsideWithoutOverlapOnPowerOfTwoSides)
{
    std::vector<AtlasSize> sizes;
    for (uint32_t i = 0; i < 40; ++i) sizes.push_back({8 + (i * 7) % 41, 6 + (i * 13) % 29});
    sizes.push_back({200, 10});
    const std::optional<AtlasLayout> layout = PackAtlas(sizes);
    ASSERT_TRUE(layout);
    const AtlasSize atlas = layout->size;
    EXPECT_EQ(atlas.width & (atlas.width - 1), 0u);
    EXPECT_EQ(atlas.height & (atlas.height - 1), 0u);
    EXPECT_LE(atlas.height, atlas.width * 2);
    ASSERT_EQ(layout->places.size(), sizes.size());
    for (size_t i = 0; i < sizes.size(); ++i) {
        const AtlasPlace& place = layout->places[i];
        EXPECT_GE(place.x, kAtlasBorder);
        EXPECT_GE(place.y, kAtlasBorder);
        EXPECT_LE(place.x + sizes[i].width + kAtlasBorder, atlas.width) << i;
        EXPECT_LE(place.y + sizes[i].height + kAtlasBorder, atlas.height) << i;
        for (size_t j = 0; j < i; ++j) {
            EXPECT_FALSE(Overlap(place, sizes[i], layout->places[j], sizes[j])) << i << " and " << j;
        }
    }
}

TEST(AtlasPacker, SmallSetsStaySmallAndImpossibleOnesFail)
{
    const auto one = PackAtlas({{24, 24}});
    ASSERT_TRUE(one);
    EXPECT_EQ(one->size.width, 32u);
    EXPECT_EQ(one->size.height, 32u);

    EXPECT_FALSE(PackAtlas({{0, 4}}));
    EXPECT_FALSE(PackAtlas({{kMaxAtlasSide, 4}}));  // no room for the border
    EXPECT_FALSE(PackAtlas(std::vector<AtlasSize>(5, {3000, 3000})));
    EXPECT_TRUE(PackAtlas({}));
}

}  // namespace
}  // namespace tools
