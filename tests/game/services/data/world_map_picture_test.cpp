// The world map's picture against the shipped hideouts: its size, and a landmark's paving under every hideout's point.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <optional>

#include "framework/graphics/image_file.h"
#include "game/services/data/static_database.h"
#include "tests/game/services/data/setting_test_support.h"
#include "tests/support/built_resources.h"
#include "tools/datacheck/data_check.h"

namespace {

// The landmarks' paving: a pale sandstone, far from the sand and rock round it.
constexpr std::uint8_t kPavingRed = 0xD9;
constexpr std::uint8_t kPavingGreen = 0xC7;
constexpr std::uint8_t kPavingBlue = 0xA1;

bool IsPaving(const vesk::resource::DecodedImage& image, int x, int y)
{
    const std::size_t at = (static_cast<std::size_t>(y) * image.width + static_cast<std::size_t>(x)) * 4;
    const auto near = [](std::uint8_t value, std::uint8_t wanted) { return std::abs(value - wanted) <= 2; };
    return near(image.bgra[at + 2], kPavingRed) && near(image.bgra[at + 1], kPavingGreen) && near(image.bgra[at], kPavingBlue);
}

TEST(WorldMapPicture, EveryHideoutStandsOnALandmarkOfThePicture)
{
    const std::vector<std::uint8_t> package = support::ReadBuiltResource("script/static_database.pac");
    ASSERT_FALSE(package.empty()) << "the data set is not built";
    CreateStaticDatabase();
    GAME_CStaticDatabase& database = *GetStaticDatabase();
    ASSERT_TRUE(game_test::RunSetting(database, package));

    const std::vector<std::uint8_t> file = support::ReadBuiltResource("common/map_base.cvt");
    const std::optional<vesk::resource::ImageFile> parsed = vesk::resource::ParseImageFile(file, "map_base.cvt");
    ASSERT_TRUE(parsed.has_value());
    const std::optional<vesk::resource::DecodedImage> image = vesk::resource::DecodeImageFile(*parsed, "map_base.cvt");
    ASSERT_TRUE(image.has_value());
    EXPECT_EQ(image->width, 700u);
    EXPECT_EQ(image->height, 430u);

    ASSERT_FALSE(database.Hideouts().empty());
    for (const auto& [id, hideout] : database.Hideouts()) {
        ASSERT_GE(hideout.mapX, 20) << data_check::DescribeTag(id);
        ASSERT_GE(hideout.mapY, 0) << data_check::DescribeTag(id);
        ASSERT_LT(hideout.mapX, 700) << data_check::DescribeTag(id);
        ASSERT_LT(hideout.mapY, 430) << data_check::DescribeTag(id);
        EXPECT_TRUE(IsPaving(*image, hideout.mapX, hideout.mapY)) << data_check::DescribeTag(id) << " stands on no landmark";
        // The paving is the landmark's, not the desert's.
        EXPECT_FALSE(IsPaving(*image, hideout.mapX - 20, hideout.mapY)) << data_check::DescribeTag(id);
    }
}

}  // namespace
