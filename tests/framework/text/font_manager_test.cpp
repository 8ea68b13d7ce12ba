// The font manager: measuring, drawing along the pen, anchors, angles, line breaks, wrapping and registration.
#include <cmath>
#include <string>
#include <vector>

#include "framework/app/framework_manager.h"
#include "framework/text/font_manager.h"
#include "tests/support/graphics_fixture.h"
#include "tests/support/log_capture.h"
#include "tests/support/test_arena.h"
#include "tools/common/glyph_table_writer.h"
#include "tools/common/image_writer.h"

namespace vesk::text {
namespace {

using graphics::DrawParam;
using graphics::Vec2f;

constexpr float kCellHeight = 15.0f;

struct TestGlyph {
    char16_t code;
    uint32_t width;      // pixels in the image
    int16_t advance;     // pen movement before the font's letter spacing
    uint32_t rgba;       // the glyph is one solid block of this colour (red in the low byte)
};

// A font whose glyphs are solid blocks side by side in one image row.
struct TestFont {
    std::vector<uint8_t> glyphTable;
    std::vector<uint8_t> image;
    uint32_t imageWidth = 0;
};

TestFont MakeFont(const std::vector<TestGlyph>& glyphs)
{
    TestFont font;
    for (const TestGlyph& glyph : glyphs) font.imageWidth += glyph.width;
    tools::RgbaImage picture(font.imageWidth, static_cast<uint32_t>(kCellHeight));
    tools::GlyphTableWriter table;
    table.SetCellHeight(kCellHeight);
    uint32_t x0 = 0;
    for (const TestGlyph& glyph : glyphs) {
        for (uint32_t y = 0; y < picture.height; ++y) {
            for (uint32_t x = x0; x < x0 + glyph.width; ++x) {
                for (int i = 0; i < 4; ++i) picture.rgba[(y * picture.width + x) * 4 + i] = glyph.rgba >> (8 * i);
            }
        }
        resource::Glyph record;
        record.left = static_cast<float>(x0) / font.imageWidth;
        record.right = static_cast<float>(x0 + glyph.width) / font.imageWidth;
        record.top = 0.0f;
        record.bottom = 1.0f;
        record.advance = glyph.advance;
        EXPECT_TRUE(table.MapCode(glyph.code, table.AddGlyph(record)));
        x0 += glyph.width;
    }
    font.glyphTable = table.Write();
    font.image = *tools::MakeImageFile(picture, "test_font", tools::ImageEncoding::Raw);
    return font;
}

// A: advance 10, B: 12 (9 and 11 with the letter spacing of -1); W and the
// space: 11, so 10 each on the page.
const std::vector<TestGlyph> kGlyphs = {
    {u'A', 8, 10, 0xFF0000FFu},
    {u'B', 10, 12, 0xFF00FF00u},
    {u'W', 10, 11, 0xFFFF0000u},
    {u' ', 4, 11, 0x00000000u},
    {u'.', 3, 4, 0xFFFFFFFFu},
};

struct DrawnGlyph {
    DrawParam param;
    Vec2f position;
    resource::SYS_CTexture* image;
};

class RecordingSink : public GlyphSpriteSink {
public:
    void AddGlyph(const DrawParam& param, Vec2f position, resource::SYS_CTexture* image) override
    {
        glyphs.push_back({param, position, image});
    }
    std::vector<DrawnGlyph> glyphs;
};

class FontManagerTest : public support::GraphicsFixture {
protected:
    void SetUp() override
    {
        GraphicsFixture::SetUp();
        font = MakeFont(kGlyphs);
        ASSERT_TRUE(fonts.RegisterFontFromMemory(loader, 0, font.glyphTable, font.image, 1.0f, -1.0f, 0.0f));
        fonts.SetGlyphSink(&sink);
    }

    void TearDown() override
    {
        fonts.SetGlyphSink(nullptr);
        for (int slot = 0; slot < kFontSlotCount; ++slot) fonts.ReleaseFont(slot);
        GraphicsFixture::TearDown();
    }

    // The x positions of the glyphs drawn on the line starting at y.
    std::vector<float> LineXs(float y) const
    {
        std::vector<float> xs;
        for (const DrawnGlyph& glyph : sink.glyphs) {
            if (glyph.position.y == y) xs.push_back(glyph.position.x);
        }
        return xs;
    }

    support::TestArena pixels{1 << 20};
    resource::TextureLoader loader{nullptr, pixels.heap()};
    TestFont font;
    SYS_CFontManager fonts;
    RecordingSink sink;
};

TEST_F(FontManagerTest, MeasuresAdvancesTimesScalePlusSpacing)
{
    EXPECT_FLOAT_EQ(fonts.MeasureString(0, u"AB", 0.0f, nullptr, false), 20.0f);
    EXPECT_FLOAT_EQ(fonts.MeasureString(0, u"AB", 2.0f, nullptr, false), 24.0f);
    fonts.Style().scale = 2.0f;
    EXPECT_FLOAT_EQ(fonts.MeasureString(0, u"AB", 0.0f, nullptr, false), 42.0f);
    fonts.ResetTextStyle();
    EXPECT_FLOAT_EQ(fonts.Style().scale, 1.0f);

    // The space width counts, times the scale, after a space only.
    ASSERT_TRUE(fonts.RegisterFontFromMemory(loader, 1, font.glyphTable, font.image, 2.0f, 0.0f, 3.0f));
    EXPECT_FLOAT_EQ(fonts.MeasureString(1, u"A A", 0.0f, nullptr, false), 20.0f + 22.0f + 6.0f + 20.0f);
}

TEST_F(FontManagerTest, MultiLineMeasureCountsBreaksAndKeepsTheWidestLine)
{
    int lines = -1;
    EXPECT_FLOAT_EQ(fonts.MeasureString(0, u"A\nBB", 0.0f, &lines, true), 22.0f);
    EXPECT_EQ(lines, 1);
    EXPECT_FLOAT_EQ(fonts.MeasureString(0, u"BB\x1B" u"A", 0.0f, &lines, true), 22.0f);
    EXPECT_EQ(lines, 1);
    // Without the flag the breaks are ordinary code units (without a glyph here).
    EXPECT_FLOAT_EQ(fonts.MeasureString(0, u"A\nBB", 0.0f, &lines, false), 31.0f);
    EXPECT_EQ(lines, 0);
}

TEST_F(FontManagerTest, CodeUnitsWithoutGlyphsAndBadSlotsMeasureNothing)
{
    // 'C' lies inside the code table but names no glyph; U+4E00 lies past it.
    EXPECT_FLOAT_EQ(fonts.MeasureString(0, u"AC\u4E00B", 0.0f, nullptr, false), 20.0f);
    EXPECT_FLOAT_EQ(fonts.MeasureString(0, std::u16string_view(u"A\0B", 3), 0.0f, nullptr, false), 9.0f);
    int lines = 5;
    EXPECT_FLOAT_EQ(fonts.MeasureString(kFontSlotCount, u"AB", 0.0f, &lines, true), 0.0f);
    EXPECT_EQ(lines, 0);
    EXPECT_FLOAT_EQ(fonts.MeasureString(-1, u"AB", 0.0f, nullptr, true), 0.0f);
    EXPECT_FLOAT_EQ(fonts.MeasureString(7, u"AB", 0.0f, nullptr, true), 0.0f);  // empty slot

    fonts.DrawString({0, 0}, u"C\u4E00");
    EXPECT_TRUE(sink.glyphs.empty());
    fonts.SetCurrentFont(kFontSlotCount);
    fonts.DrawString({0, 0}, u"AB");
    EXPECT_TRUE(sink.glyphs.empty());
}

TEST_F(FontManagerTest, LineDrawPlacesGlyphSpritesAlongThePen)
{
    fonts.Style().color = 0x80FF00FFu;
    fonts.DrawString({100, 50}, u"AB");
    ASSERT_EQ(sink.glyphs.size(), 2u);
    const DrawnGlyph& a = sink.glyphs[0];
    EXPECT_EQ(a.position.x, 100.0f);
    EXPECT_EQ(a.position.y, 50.0f);
    EXPECT_EQ(sink.glyphs[1].position.x, 109.0f);
    EXPECT_EQ(a.image, fonts.Font(0)->Image());
    EXPECT_EQ(a.param.color, 0x80FF00FFu);
    EXPECT_EQ(a.param.scaleX, 1.0f);
    // The source rectangle is the glyph's: A is the first 8 of 35 pixels.
    EXPECT_FLOAT_EQ(a.param.u0, 0.0f);
    EXPECT_FLOAT_EQ(a.param.u1, 8.0f / 35.0f);
    EXPECT_FLOAT_EQ(sink.glyphs[1].param.u0, 8.0f / 35.0f);
    EXPECT_FLOAT_EQ(a.param.v1, 1.0f);
    EXPECT_FLOAT_EQ(fonts.Style().lastWidth, 20.0f);
    EXPECT_FLOAT_EQ(fonts.Style().lastLineHeight, kCellHeight);
}

TEST_F(FontManagerTest, AnchorMovesTheTextBackByItsWidthAndLineHeight)
{
    // "WWWWWWWWWW" is 100 wide.
    fonts.Style().anchorX = 0.5f;
    fonts.DrawString({200, 80}, u"WWWWWWWWWW");
    ASSERT_EQ(sink.glyphs.size(), 10u);
    EXPECT_FLOAT_EQ(sink.glyphs[0].position.x, 150.0f);
    EXPECT_FLOAT_EQ(sink.glyphs[0].position.y, 80.0f);

    sink.glyphs.clear();
    fonts.Style().anchorX = 1.0f;
    fonts.Style().anchorY = 1.0f;
    fonts.Style().scale = 2.0f;
    fonts.DrawString({200, 80}, u"W");
    ASSERT_EQ(sink.glyphs.size(), 1u);
    EXPECT_FLOAT_EQ(sink.glyphs[0].position.x, 200.0f - 21.0f);
    EXPECT_FLOAT_EQ(sink.glyphs[0].position.y, 80.0f - 2.0f * kCellHeight);
    EXPECT_FLOAT_EQ(sink.glyphs[0].param.scaleY, 2.0f);
}

TEST_F(FontManagerTest, AngleTurnsThePenAndEveryGlyph)
{
    fonts.Style().angle = 90.0f;
    fonts.DrawString({100, 100}, u"AB\nA");
    ASSERT_EQ(sink.glyphs.size(), 3u);
    EXPECT_NEAR(sink.glyphs[1].position.x, 100.0f, 1e-4f);
    EXPECT_NEAR(sink.glyphs[1].position.y, 109.0f, 1e-4f);
    EXPECT_EQ(sink.glyphs[1].param.angle, 90.0f);
    // The next line starts one line height to the left (a line gap of 0).
    EXPECT_NEAR(sink.glyphs[2].position.x, 100.0f - kCellHeight, 1e-4f);
    EXPECT_NEAR(sink.glyphs[2].position.y, 100.0f, 1e-4f);
}

TEST_F(FontManagerTest, LineBreaksStartTheNextLineBelowWithTheFontsLineGap)
{
    fonts.Font(0)->lineGap = 3.0f;
    fonts.DrawString({10, 20}, u"BB\nA\x1B" u"A");
    EXPECT_EQ(LineXs(20.0f), (std::vector<float>{10.0f, 21.0f}));
    EXPECT_EQ(LineXs(20.0f + kCellHeight + 3.0f), std::vector<float>{10.0f});
    EXPECT_EQ(LineXs(20.0f + 2 * (kCellHeight + 3.0f)), std::vector<float>{10.0f});
    EXPECT_FLOAT_EQ(fonts.Style().lastWidth, 22.0f);
}

TEST_F(FontManagerTest, WrappedDrawMovesAWordPastTheWidthToTheNextLine)
{
    // Two words of 60, their trailing spaces included.
    fonts.SetWrap(true, 100);
    fonts.DrawString({0, 0}, u"WWWWW WWWWW ");
    EXPECT_EQ(LineXs(0.0f), (std::vector<float>{0, 10, 20, 30, 40, 50}));
    EXPECT_EQ(LineXs(kCellHeight), (std::vector<float>{0, 10, 20, 30, 40, 50}));

    // Words that fit stay on one line; a full stop also ends a word.
    sink.glyphs.clear();
    fonts.DrawString({0, 0}, u"WW.WW WWW");
    EXPECT_EQ(LineXs(0.0f).size(), 9u);
}

TEST_F(FontManagerTest, WrappedDrawWithAFirstWordWiderThanTheWidthLeavesAnEmptyFirstLine)
{
    fonts.SetWrap(true, 50);
    fonts.DrawString({0, 0}, u"WWWWWW WW");
    EXPECT_TRUE(LineXs(0.0f).empty());
    EXPECT_EQ(LineXs(kCellHeight).size(), 7u);
    EXPECT_EQ(LineXs(2 * kCellHeight).size(), 2u);
}

TEST_F(FontManagerTest, WrappedDrawBreaksAtEscapes)
{
    fonts.SetWrap(true, 1000);
    fonts.DrawString({0, 0}, u"WW\x1BWW");
    EXPECT_EQ(LineXs(0.0f).size(), 2u);
    EXPECT_EQ(LineXs(kCellHeight).size(), 2u);
}

TEST_F(FontManagerTest, FormattedDrawStopsAt255CodeUnits)
{
    const std::u16string letters(300, u'A');
    fonts.DrawFormatted({0, 0}, u"%ls.", {letters});
    EXPECT_EQ(sink.glyphs.size(), 255u);
    // The cut drops the end: no full stop was drawn.
    for (const DrawnGlyph& glyph : sink.glyphs) EXPECT_FLOAT_EQ(glyph.param.u0, 0.0f);

    sink.glyphs.clear();
    fonts.DrawFormatted({0, 0}, u"%d%%", {42});
    EXPECT_TRUE(sink.glyphs.empty());  // digits and '%' have no glyphs in this font
    fonts.DrawFormatted({0, 0}, u"B%ls", {u"A"});
    EXPECT_EQ(sink.glyphs.size(), 2u);
}

TEST_F(FontManagerTest, RegistrationReplacesTheSlotAndTurnsWrappingOff)
{
    fonts.SetWrap(true, 80);
    fonts.Font(0)->lineGap = 3.0f;
    ASSERT_TRUE(fonts.RegisterFontFromMemory(loader, 0, font.glyphTable, font.image, 2.0f, 0.5f, 1.0f));
    const FontRecord* record = fonts.Font(0);
    EXPECT_EQ(record->textures.size(), 1u);
    EXPECT_EQ(record->size, 2.0f);
    EXPECT_EQ(record->letterSpacing, 0.5f);
    EXPECT_EQ(record->spaceWidth, 1.0f);
    EXPECT_FALSE(fonts.WrapEnabled());
    EXPECT_EQ(record->Image()->GetName(), "test_font");

    fonts.ReleaseFont(0);
    EXPECT_TRUE(record->textures.empty());
    EXPECT_FALSE(record->glyphs);
    fonts.DrawString({0, 0}, u"AB");
    EXPECT_TRUE(sink.glyphs.empty());
}

TEST_F(FontManagerTest, BrokenOrMissingPartsLeaveTheSlotUnableToDraw)
{
    support::LogCapture capture;
    // A glyph table cut inside its code table, and an image without a copy heap.
    std::vector<uint8_t> cut(font.glyphTable.begin(), font.glyphTable.begin() + 30);
    EXPECT_FALSE(fonts.RegisterFontFromMemory(loader, 2, cut, font.image, 1.0f, -1.0f, 0.0f));
    EXPECT_FALSE(fonts.Font(2)->glyphs);
    EXPECT_TRUE(fonts.Font(2)->Image());
    EXPECT_FALSE(fonts.RegisterFontFromMemory({}, 3, font.glyphTable, font.image, 1.0f, -1.0f, 0.0f));
    EXPECT_FALSE(fonts.Font(3)->Image());
    fonts.SetCurrentFont(3);
    fonts.DrawString({0, 0}, u"AB");
    EXPECT_TRUE(sink.glyphs.empty());

    EXPECT_FALSE(fonts.RegisterFont(loader, 4, "font/none.abcd", "font/none.cvt", 1.0f, -1.0f, 0.0f));
    EXPECT_FALSE(fonts.Font(4)->glyphs);
    EXPECT_FALSE(fonts.RegisterFont(loader, kFontSlotCount, "a", "b", 1.0f, -1.0f, 0.0f));
    EXPECT_FALSE(capture.Lines().empty());
}

TEST_F(FontManagerTest, RegistersFromTheDataFolder)
{
    WriteResource("font/test.abcd", font.glyphTable);
    WriteResource("font/test.cvt", font.image);
    EXPECT_TRUE(fonts.RegisterFont(loader, 5, "font/test.abcd", "font/test.cvt", 1.0f, -1.0f, 0.0f));
    EXPECT_FLOAT_EQ(fonts.MeasureString(5, u"AB", 0.0f, nullptr, false), 20.0f);
}

// Text drawn through the device's textured renderer lands on the canvas.
TEST_F(FontManagerTest, GlyphsReachTheCanvasThroughTheTexturedRenderer)
{
    fonts.SetGlyphSink(nullptr);
    app::BeginFrameDraw();
    graphics::BeginSpriteDraw(-1, 4);
    fonts.DrawString({20, 30}, u"AB");
    record->textureRenderer.Flush();
    // A is red (8 x 15 pixels at 20..27), B green from x 29 (20 + 10 - 1).
    EXPECT_EQ(CanvasPixel(20, 30), 0xFFFF0000u);
    EXPECT_EQ(CanvasPixel(27, 44), 0xFFFF0000u);
    EXPECT_EQ(CanvasPixel(29, 30), 0xFF00FF00u);
    EXPECT_EQ(CanvasPixel(38, 44), 0xFF00FF00u);
    EXPECT_EQ(CanvasPixel(20, 45), 0xFF000000u);
    EXPECT_EQ(CanvasPixel(39, 30), 0xFF000000u);
}

}  // namespace
}  // namespace vesk::text
