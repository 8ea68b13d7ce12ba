// The font atlas and the font's character set.
#include <gtest/gtest.h>

#include "framework/graphics/glyph_table.h"
#include "tools/common/font_atlas.h"
#include "tools/common/font_charset.h"

namespace tools {
namespace {

GlyphCell Cell(char16_t code, uint32_t width, uint32_t height, int16_t advance)
{
    GlyphCell cell;
    cell.code = code;
    cell.width = width;
    cell.height = height;
    cell.advance = advance;
    cell.coverage.resize(size_t{width} * height);
    for (size_t i = 0; i < cell.coverage.size(); ++i) cell.coverage[i] = static_cast<uint8_t>(code + i);
    return cell;
}

TEST(FontAtlas, GlyphRecordsFrameEachCellsPixelsAndKeepItsAdvance)
{
    const std::vector<GlyphCell> cells = {Cell(u'A', 7, 15, 9), Cell(u'g', 5, 15, 7), Cell(u'\u3042', 12, 15, 13)};
    const std::optional<FontAtlas> atlas = BuildFontAtlas(cells, 15.0f);
    ASSERT_TRUE(atlas);
    const auto table = vesk::resource::GlyphTable::Parse(atlas->glyphTable, "test");
    ASSERT_TRUE(table);
    EXPECT_EQ(table->CellHeight(), 15.0f);
    EXPECT_EQ(table->Find(u'B'), nullptr);
    const RgbaImage& image = atlas->image;
    for (const GlyphCell& cell : cells) {
        const vesk::resource::Glyph* glyph = table->Find(cell.code);
        ASSERT_NE(glyph, nullptr);
        EXPECT_EQ(glyph->advance, cell.advance);
        const float x0 = glyph->left * image.width;
        const float y0 = glyph->top * image.height;
        ASSERT_EQ((glyph->right - glyph->left) * image.width, cell.width);
        ASSERT_EQ((glyph->bottom - glyph->top) * image.height, cell.height);
        for (uint32_t y = 0; y < cell.height; ++y) {
            for (uint32_t x = 0; x < cell.width; ++x) {
                const size_t at = ((static_cast<size_t>(y0) + y) * image.width + static_cast<size_t>(x0) + x) * 4;
                ASSERT_EQ(image.rgba[at + 3], cell.coverage[size_t{y} * cell.width + x]);
                ASSERT_EQ(image.rgba[at], 255);
            }
        }
        // The pixel left of every cell is transparent: no neighbour bleeds in.
        EXPECT_EQ(image.rgba[((static_cast<size_t>(y0)) * image.width + static_cast<size_t>(x0) - 1) * 4 + 3], 0);
    }
}

TEST(FontAtlas, RefusesCodeZeroRepeatedCodesAndCellsWithoutPixels)
{
    EXPECT_FALSE(BuildFontAtlas({Cell(0, 4, 4, 4)}, 4.0f));
    EXPECT_FALSE(BuildFontAtlas({Cell(u'a', 4, 4, 4), Cell(u'a', 4, 4, 4)}, 4.0f));
    GlyphCell broken = Cell(u'a', 4, 4, 4);
    broken.coverage.pop_back();
    EXPECT_FALSE(BuildFontAtlas({broken}, 4.0f));
    EXPECT_FALSE(BuildFontAtlas({Cell(u'a', 0, 4, 4)}, 4.0f));
}

TEST(FontCharset, TakesPrintableCodesOfSelectedKeysAndReportsUndrawableOnes)
{
    const std::vector<MessageFileEntry> entries = {
        {"MINIGAME_SCORE", u"Name\u3042", true},
        {"MINIGAME_TAB", u"a\tb\nc", true},
        {"OTHER", u"Z", true},
        {"MINIGAME_EMOJI", u"x\xD83D\xDE00", true},
    };
    FontCharset charset;
    std::vector<std::string> errors;
    charset.AddMessageTexts(entries, {"MINIGAME_"}, "english.txt", errors);
    const std::set<char16_t> expected = {u'N', u'a', u'm', u'e', u'\u3042', u'b', u'c', u'x'};
    EXPECT_EQ(charset.Codes(), expected);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("MINIGAME_EMOJI"), std::string::npos);

    FontCharset all;
    all.AddMessageTexts(entries, {}, "english.txt", errors);
    EXPECT_TRUE(all.Codes().count(u'Z'));
}

TEST(FontCharset, ParsesHexRanges)
{
    char16_t first = 0;
    char16_t last = 0;
    ASSERT_TRUE(ParseCodeRange("3041-3094", first, last));
    EXPECT_EQ(first, 0x3041);
    EXPECT_EQ(last, 0x3094);
    ASSERT_TRUE(ParseCodeRange("2010", first, last));
    EXPECT_EQ(first, 0x2010);
    EXPECT_EQ(last, 0x2010);
    EXPECT_FALSE(ParseCodeRange("30-20", first, last));
    EXPECT_FALSE(ParseCodeRange("0", first, last));
    EXPECT_FALSE(ParseCodeRange("10000", first, last));
    EXPECT_FALSE(ParseCodeRange("20-", first, last));
    EXPECT_FALSE(ParseCodeRange("zz", first, last));
}

}  // namespace
}  // namespace tools
