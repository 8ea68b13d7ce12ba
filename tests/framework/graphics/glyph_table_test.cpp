// The glyph table reader: lookups by code unit, and refused or cut tables.
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "framework/graphics/glyph_table.h"
#include "tests/support/log_capture.h"
#include "tools/common/byte_writer.h"

namespace {

using support::LogCapture;
using vesk::resource::Glyph;
using vesk::resource::GlyphTable;

using ::tools::PutF32;
using ::tools::PutU16;

// A table laid out by hand: cell height at 4, N at 20, N entries from 24, one
// unread word, then the glyph records.
std::vector<uint8_t> MakeTable(float cellHeight, const std::vector<int16_t>& codes, const std::vector<Glyph>& glyphs)
{
    const size_t recordsAt = 28 + 2 * codes.size();
    std::vector<uint8_t> bytes(recordsAt + 24 * glyphs.size(), 0xEE);  // unread bytes hold junk
    PutF32(bytes, 4, cellHeight);
    PutU16(bytes, 20, static_cast<uint16_t>(codes.size()));
    for (size_t i = 0; i < codes.size(); ++i) {
        PutU16(bytes, 24 + 2 * i, static_cast<uint16_t>(codes[i]));
    }
    for (size_t i = 0; i < glyphs.size(); ++i) {
        const size_t at = recordsAt + 24 * i;
        PutF32(bytes, at, glyphs[i].left);
        PutF32(bytes, at + 4, glyphs[i].top);
        PutF32(bytes, at + 8, glyphs[i].right);
        PutF32(bytes, at + 12, glyphs[i].bottom);
        PutU16(bytes, at + 18, static_cast<uint16_t>(glyphs[i].advance));
    }
    return bytes;
}

// Codes 1 to 0x41; "A" (0x41) uses glyph 1, code 1 glyph 0, code 2 names no
// glyph, code 3 names a record past the end.
std::vector<uint8_t> SampleTable()
{
    std::vector<int16_t> codes(0x41, -1);
    codes[0x40] = 1;
    codes[0] = 0;
    codes[2] = 2;
    return MakeTable(18.5f, codes, {{0.0f, 0.0f, 0.25f, 0.5f, 9}, {0.25f, 0.5f, 0.5f, 1.0f, -3}});
}

TEST(GlyphTable, CodeUnitFindsItsGlyphThroughTheEntryBeforeIt)
{
    const auto table = GlyphTable::Parse(SampleTable(), "font.abcd");
    ASSERT_TRUE(table);
    EXPECT_FLOAT_EQ(table->CellHeight(), 18.5f);
    EXPECT_EQ(table->CodeCount(), 0x41u);
    EXPECT_EQ(table->GlyphCount(), 2u);

    const Glyph* a = table->Find(u'A');
    ASSERT_NE(a, nullptr);
    EXPECT_FLOAT_EQ(a->left, 0.25f);
    EXPECT_FLOAT_EQ(a->top, 0.5f);
    EXPECT_FLOAT_EQ(a->right, 0.5f);
    EXPECT_FLOAT_EQ(a->bottom, 1.0f);
    EXPECT_EQ(a->advance, -3);

    const Glyph* first = table->Find(1);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->advance, 9);
}

TEST(GlyphTable, CodeUnitsWithoutAGlyphFindNothing)
{
    const auto table = GlyphTable::Parse(SampleTable(), "font.abcd");
    ASSERT_TRUE(table);
    EXPECT_EQ(table->Find(0), nullptr);       // the table starts at 1
    EXPECT_EQ(table->Find(0x42), nullptr);    // past N
    EXPECT_EQ(table->Find(0xFFFF), nullptr);
    EXPECT_EQ(table->Find(2), nullptr);       // entry -1
    EXPECT_EQ(table->Find(3), nullptr);       // entry past the last record
}

TEST(GlyphTable, RecordsFillTheRestOfTheFileAndLeftoverBytesAreIgnored)
{
    std::vector<uint8_t> bytes = SampleTable();
    bytes.resize(bytes.size() + 23, 0);
    const auto table = GlyphTable::Parse(bytes, "font.abcd");
    ASSERT_TRUE(table);
    EXPECT_EQ(table->GlyphCount(), 2u);

    const auto empty = GlyphTable::Parse(MakeTable(10.0f, {}, {}), "empty.abcd");
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->Find(1), nullptr);
}

TEST(GlyphTable, CodeTableRunningPastTheFileIsRefused)
{
    std::vector<uint8_t> bytes = MakeTable(10.0f, {0}, {{}});
    PutU16(bytes, 20, 0xFFFF);
    LogCapture capture;
    EXPECT_FALSE(GlyphTable::Parse(bytes, "font.abcd"));
    EXPECT_TRUE(capture.Contains("glyph table \"font.abcd\": code table of 65535 entries runs past the file"));
}

TEST(GlyphTable, NumbersThatAreNotFiniteAreRefused)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float infinity = std::numeric_limits<float>::infinity();
    {
        LogCapture capture;
        EXPECT_FALSE(GlyphTable::Parse(MakeTable(nan, {0}, {{}}), "font.abcd"));
        EXPECT_TRUE(capture.Contains("cell height"));
    }
    for (int edge = 0; edge < 4; ++edge) {
        Glyph bad{};
        float* edges[4] = {&bad.left, &bad.top, &bad.right, &bad.bottom};
        *edges[edge] = edge % 2 ? infinity : nan;
        LogCapture capture;
        EXPECT_FALSE(GlyphTable::Parse(MakeTable(10.0f, {1}, {{}, bad}), "font.abcd")) << edge;
        EXPECT_TRUE(capture.Contains("glyph record 1")) << edge;
    }
}

// Cutting the file anywhere either is refused (before the records start) or
// keeps only the whole records left, whose lookups stay inside the table.
TEST(GlyphTable, EveryTruncationIsRefusedOrDropsTheCutRecords)
{
    const std::vector<uint8_t> full = SampleTable();
    const size_t recordsAt = 28 + 2 * 0x41;
    for (size_t length = 0; length < full.size(); ++length) {
        const std::vector<uint8_t> cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(length));
        LogCapture capture;
        const auto table = GlyphTable::Parse(cut, "font.abcd");
        if (length < recordsAt) {
            EXPECT_FALSE(table) << "length " << length;
            EXPECT_EQ(capture.Lines().size(), 1u) << "length " << length;
            continue;
        }
        ASSERT_TRUE(table) << "length " << length;
        EXPECT_EQ(table->GlyphCount(), (length - recordsAt) / 24) << "length " << length;
        EXPECT_EQ(table->Find(u'A') != nullptr, table->GlyphCount() == 2) << "length " << length;
    }
}

}  // namespace
