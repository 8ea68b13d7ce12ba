// The sprite table's reader and writer.
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "framework/graphics/sprite_table.h"
#include "tests/support/log_capture.h"
#include "tools/common/byte_writer.h"
#include "tools/common/sprite_table_writer.h"

namespace vesk::resource {
namespace {

using ::tools::PutU32;

std::vector<uint8_t> ThreeSprites()
{
    return *tools::MakeSpriteTable({{"floor.png", 24, 24, 0.0f, 0.0f, 0.25f, 0.5f},
                                    {"wall", 48, 24, 0.25f, 0.0f, 0.75f, 0.5f},
                                    {std::string(31, 'n'), 1, 2, 0.5f, 0.5f, 1.0f, 1.0f}});
}

TEST(SpriteTable, ReadsEveryEntryInOrder)
{
    const std::optional<std::vector<SpriteEntry>> entries = ParseSpriteTable(ThreeSprites(), "t.pac");
    ASSERT_TRUE(entries);
    ASSERT_EQ(entries->size(), 3u);
    EXPECT_EQ((*entries)[0].name, "floor.png");
    EXPECT_EQ((*entries)[0].width, 24);
    EXPECT_FLOAT_EQ((*entries)[0].uMax, 0.25f);
    EXPECT_FLOAT_EQ((*entries)[0].vMax, 0.5f);
    EXPECT_EQ((*entries)[1].name, "wall");
    EXPECT_EQ((*entries)[1].width, 48);
    EXPECT_FLOAT_EQ((*entries)[1].uMin, 0.25f);
    EXPECT_EQ((*entries)[2].name, std::string(31, 'n'));
    EXPECT_EQ((*entries)[2].height, 2);

    // A name filling all 32 bytes ends with the field; the reserved top bit
    // of the count is not part of it.
    std::vector<uint8_t> full = ThreeSprites();
    for (size_t i = 0; i < sprite_table::kNameSize; ++i) full[sprite_table::kHeaderSize + i] = 'x';
    PutU32(full, sprite_table::kCountOffset, 0x80000003u);
    const auto read = ParseSpriteTable(full, "t.pac");
    ASSERT_TRUE(read);
    ASSERT_EQ(read->size(), 3u);
    EXPECT_EQ((*read)[0].name, std::string(32, 'x'));
}

TEST(SpriteTable, RefusesBadHeadersAndCountsPastTheEnd)
{
    const std::vector<uint8_t> good = ThreeSprites();
    struct Case {
        const char* fault;
        size_t offset;
        uint32_t value;
    };
    const Case cases[] = {
        {"wrong tag", 0, 0x42555354},  // "TSUB"
        {"header size 16", 4, 16},
        {"entry size 32", 8, 32},
        {"count zero", 12, 0},
        {"count one too many", 12, 4},
        {"count near 2^31", 12, 0x7FFFFFFF},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> bad = good;
        PutU32(bad, c.offset, c.value);
        support::LogCapture capture;
        EXPECT_FALSE(ParseSpriteTable(bad, "bad.pac")) << c.fault;
        EXPECT_TRUE(capture.Contains("bad.pac: ")) << c.fault;
    }
    // Cut at every length: only the whole table reads.
    for (size_t length = 0; length < good.size(); ++length) {
        support::LogCapture capture;
        EXPECT_FALSE(ParseSpriteTable(std::span(good.data(), length), "cut.pac")) << length;
    }
}

TEST(SpriteTableWriter, RefusesNamesThatDoNotFitTheirField)
{
    EXPECT_TRUE(tools::MakeSpriteTable({{std::string(31, 'a'), 1, 1}}));
    EXPECT_FALSE(tools::MakeSpriteTable({{std::string(32, 'a'), 1, 1}}));
    EXPECT_FALSE(tools::MakeSpriteTable({{"", 1, 1}}));
    EXPECT_FALSE(tools::MakeSpriteTable({{std::string("a\0b", 3), 1, 1}}));
}

}  // namespace
}  // namespace vesk::resource
