// The fonts of the data set: every character of each language's texts, drawn legibly.
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "framework/app/framework_manager.h"
#include "framework/graphics/glyph_table.h"
#include "framework/text/font_manager.h"
#include "tests/support/build_paths.h"
#include "tests/support/built_resources.h"
#include "tests/support/golden_picture.h"
#include "tests/support/graphics_fixture.h"
#include "tests/support/test_arena.h"
#include "tools/common/message_source.h"

namespace vesk::text {
namespace {

using support::ReadBuiltResource;

// The message sources in the source tree.
const std::filesystem::path kMessageSources = support::SourceRoot() / "data/message";

std::vector<tools::MessageFileEntry> ReadMessages(const std::string& language)
{
    const std::string text = ::tools::ReadTextFile(kMessageSources / (language + ".txt")).value_or("");
    const tools::MessageSource source = tools::ParseMessageSource(text, language);
    EXPECT_TRUE(source.errors.empty()) << language;
    return source.entries;
}

// Every drawable code unit of the texts (whose key starts with the prefix)
// has a glyph in the font.
void ExpectFontCovers(const std::string& fontName, const std::string& language, const std::string& keyPrefix = "")
{
    const std::vector<uint8_t> bytes = ReadBuiltResource("font/" + fontName + ".abcd");
    const std::optional<resource::GlyphTable> table = resource::GlyphTable::Parse(bytes, fontName);
    ASSERT_TRUE(table) << fontName;
    EXPECT_EQ(table->CellHeight(), fontName == "font_minigame" ? 16.0f : 15.0f);
    for (char16_t code = 0x20; code < 0x7F; ++code) {
        EXPECT_NE(table->Find(code), nullptr) << fontName << " lacks ASCII " << static_cast<char>(code);
    }
    for (const tools::MessageFileEntry& entry : ReadMessages(language)) {
        if (!entry.key.starts_with(keyPrefix)) continue;
        for (char16_t unit : entry.text) {
            if (unit < 0x20) continue;
            EXPECT_NE(table->Find(unit), nullptr)
                << fontName << " lacks U+" << std::hex << static_cast<unsigned>(unit) << " of " << language << " "
                << entry.key;
        }
    }
}

TEST(ShippedFonts, EachLanguagesFontHasEveryCharacterOfItsTexts)
{
    ExpectFontCovers("font_system", "japanese");
    ExpectFontCovers("font_english", "english");
    ExpectFontCovers("font_korean", "korean");
    ExpectFontCovers("font_traditionalChinese", "traditionalChinese");
    ExpectFontCovers("font_simplifiedChinese", "simplifiedChinese");
    for (const char* language : {"japanese", "english", "korean", "traditionalChinese", "simplifiedChinese"}) {
        ExpectFontCovers("font_minigame", language, "MINIGAME_");
        ExpectFontCovers("font_minigame", language, "ADD_TEXT_KEYBOARD_");
    }
}

// The English font draws the full-width forms with ASCII's shapes: each takes its ASCII
// twin's advance, while the Japanese font keeps them wide.
TEST(ShippedFonts, TheEnglishFontsFullWidthFormsAreAsNarrowAsAscii)
{
    const std::vector<uint8_t> english = ReadBuiltResource("font/font_english.abcd");
    const std::vector<uint8_t> system = ReadBuiltResource("font/font_system.abcd");
    const std::optional<resource::GlyphTable> englishTable = resource::GlyphTable::Parse(english, "font_english");
    const std::optional<resource::GlyphTable> systemTable = resource::GlyphTable::Parse(system, "font_system");
    ASSERT_TRUE(englishTable && systemTable);
    for (char16_t code = 0x21; code < 0x7F; ++code) {
        const char16_t fullWidth = static_cast<char16_t>(code + 0xFEE0);
        const resource::Glyph* ascii = englishTable->Find(code);
        const resource::Glyph* narrowed = englishTable->Find(fullWidth);
        ASSERT_TRUE(ascii && narrowed) << static_cast<char>(code);
        EXPECT_EQ(narrowed->advance, ascii->advance) << static_cast<char>(code);
    }
    EXPECT_GT(systemTable->Find(u'\uFF13')->advance, systemTable->Find(u'3')->advance);
}

class ShippedFontDrawing : public support::GraphicsFixture {};

// Draws an English and a Japanese line with the system font. With
// VARNOLIS_TEXT_PICTURE set to a path the canvas is also written there as a
// PPM picture to look at.
TEST_F(ShippedFontDrawing, EnglishAndJapaneseLinesDrawLegibleInk)
{
    support::TestArena pixels{4 << 20};
    SYS_CFontManager fonts;
    const resource::TextureLoader loader{nullptr, pixels.heap()};
    ASSERT_TRUE(fonts.RegisterFontFromMemory(loader, 0, ReadBuiltResource("font/font_system.abcd"),
                                             ReadBuiltResource("font/font_system.cvt"), 1.0f, -1.0f, 0.0f));
    fonts.Font(0)->lineGap = 3.0f;

    app::BeginFrameDraw();
    graphics::BeginSpriteDraw(-1, 4);
    fonts.DrawString({8, 8}, u"The crew of rats crosses the desert: 1,234 G.");
    fonts.Style().color = 0xFF80E0FFu;
    fonts.DrawString({8, 30}, u"ゲームを準備しています。\nセーブデータが壊れています。");
    record->textureRenderer.Flush();

    // Ink inside each line's box, none below the text.
    auto inkIn = [&](int x0, int y0, int x1, int y1) {
        int ink = 0;
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) ink += (CanvasPixel(x, y) & 0x00FFFFFFu) != 0 ? 1 : 0;
        }
        return ink;
    };
    EXPECT_GT(inkIn(8, 8, 300, 23), 300);
    EXPECT_GT(inkIn(8, 30, 200, 45), 300);
    EXPECT_GT(inkIn(8, 48, 200, 63), 300);
    EXPECT_EQ(inkIn(0, 70, 640, 360), 0);

    if (const char* path = std::getenv("VARNOLIS_TEXT_PICTURE")) {
        ::tools::WriteWholeFile(path, support::PpmPicture(640, 360, CanvasPixels(0, 0, 640, 360)));
    }
}

}  // namespace
}  // namespace vesk::text
