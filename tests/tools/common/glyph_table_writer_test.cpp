// The glyph table writer, read back through the game's reader.
#include <gtest/gtest.h>

#include "framework/graphics/glyph_table.h"
#include "tools/common/glyph_table_writer.h"

namespace {

using vesk::resource::Glyph;
using vesk::resource::GlyphTable;

TEST(GlyphTableWriter, WrittenTableReadsBackThroughTheReader)
{
    tools::GlyphTableWriter writer;
    writer.SetCellHeight(21.0f);
    const int space = writer.AddGlyph({0.0f, 0.0f, 0.0625f, 0.125f, 5});
    const int a = writer.AddGlyph({0.0625f, 0.0f, 0.125f, 0.125f, 11});
    const int kana = writer.AddGlyph({0.5f, 0.875f, 0.5625f, 1.0f, -2});
    ASSERT_TRUE(writer.MapCode(u' ', space));
    ASSERT_TRUE(writer.MapCode(u'A', a));
    ASSERT_TRUE(writer.MapCode(u'a', a));  // two code units may share a glyph
    ASSERT_TRUE(writer.MapCode(u'\u3042', kana));

    const auto table = GlyphTable::Parse(writer.Write(), "written.abcd");
    ASSERT_TRUE(table);
    EXPECT_FLOAT_EQ(table->CellHeight(), 21.0f);
    EXPECT_EQ(table->CodeCount(), 0x3042u);
    EXPECT_EQ(table->GlyphCount(), 3u);

    const Glyph* found = table->Find(u'A');
    ASSERT_NE(found, nullptr);
    EXPECT_FLOAT_EQ(found->left, 0.0625f);
    EXPECT_FLOAT_EQ(found->right, 0.125f);
    EXPECT_EQ(found->advance, 11);
    EXPECT_EQ(table->Find(u'a'), found);
    ASSERT_NE(table->Find(u'\u3042'), nullptr);
    EXPECT_FLOAT_EQ(table->Find(u'\u3042')->bottom, 1.0f);
    EXPECT_EQ(table->Find(u'\u3042')->advance, -2);
    EXPECT_EQ(table->Find(u' ')->advance, 5);
    EXPECT_EQ(table->Find(u'B'), nullptr);  // not mapped
    EXPECT_EQ(table->Find(u'\u3043'), nullptr);
}

TEST(GlyphTableWriter, RefusesCodeZeroAndGlyphsItDoesNotHold)
{
    tools::GlyphTableWriter writer;
    const int glyph = writer.AddGlyph({});
    EXPECT_FALSE(writer.MapCode(0, glyph));
    EXPECT_FALSE(writer.MapCode(u'A', glyph + 1));
    EXPECT_FALSE(writer.MapCode(u'A', -1));
    const auto table = GlyphTable::Parse(writer.Write(), "written.abcd");
    ASSERT_TRUE(table);
    EXPECT_EQ(table->CodeCount(), 0u);
}

}  // namespace
