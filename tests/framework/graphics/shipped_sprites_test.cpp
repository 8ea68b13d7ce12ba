// The sprite packages of the data set, loaded by path and holding the sprites the ship looks up.
#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "framework/graphics/sprite_registry.h"
#include "platform/graphics/resources.h"
#include "tests/support/built_resources.h"
#include "tests/support/graphics_fixture.h"
#include "tests/support/sprite_test_data.h"
#include "tests/support/test_arena.h"

namespace vesk::resource {
namespace {

class ShippedSprites : public support::GraphicsFixture {
protected:
    // The built room package in sprite group 2.
    void LoadRoomPackage()
    {
        const std::vector<uint8_t> package = support::ReadBuiltResource("ship/room/dotroom.pac");
        ASSERT_FALSE(package.empty()) << "the data set is not built";
        WriteResource("ship/room/dotroom.pac", package);
        ASSERT_NE(registry.LoadSpritePackage(loader, 2, "ship/room/dotroom.pac"), nullptr);
    }

    // A lettered sprite's pixels and the strokes of one colour that lines across it meet.
    class Lettering {
    public:
        Lettering(const SpriteRegistry& registry, const char* name)
        {
            sprite_ = registry.GetSprite(2, registry.FindSprite(2, name));
            if (sprite_ == nullptr) return;
            atlas_ = static_cast<SYSWIN_CTexture*>(sprite_->GetAtlas())->DeviceTexture();
            left_ = static_cast<int>(sprite_->GetUVMin().u * static_cast<float>(atlas_->Width()) + 0.5f);
            top_ = static_cast<int>(sprite_->GetUVMin().v * static_cast<float>(atlas_->Height()) + 0.5f);
        }
        bool Loaded() const { return atlas_ != nullptr; }
        int Width() const { return static_cast<int>(sprite_->GetWidth()); }
        int Height() const { return static_cast<int>(sprite_->GetHeight()); }
        bool Inked(int x, int y, uint32_t colour) const { return atlas_->Pixel(left_ + x, top_ + y) == colour; }

        // The most separate strokes that one row (across) or one column (down) of the box meets.
        int MostStrokes(uint32_t colour, int x0, int x1, int y0, int y1, bool down) const
        {
            int most = 0;
            for (int line = down ? x0 : y0; line < (down ? x1 : y1); ++line) {
                int strokes = 0;
                bool inStroke = false;
                for (int along = down ? y0 : x0; along < (down ? y1 : x1); ++along) {
                    const bool inked = down ? Inked(line, along, colour) : Inked(along, line, colour);
                    strokes += inked && !inStroke ? 1 : 0;
                    inStroke = inked;
                }
                most = std::max(most, strokes);
            }
            return most;
        }
        // The first and one past the last column with the colour in rows y0 to y1.
        std::pair<int, int> InkedColumns(uint32_t colour, int x0, int y0, int y1) const
        {
            int first = Width();
            int end = 0;
            for (int x = x0; x < Width(); ++x) {
                for (int y = y0; y < y1; ++y) {
                    if (!Inked(x, y, colour)) continue;
                    first = std::min(first, x);
                    end = x + 1;
                }
            }
            return {first, end};
        }
        // One past the lowest row with the colour.
        int InkedRowsEnd(uint32_t colour) const
        {
            for (int y = Height(); y > 0; --y) {
                for (int x = 0; x < Width(); ++x) {
                    if (Inked(x, y - 1, colour)) return y;
                }
            }
            return 0;
        }

    private:
        SYS_CTexture* sprite_ = nullptr;
        const platform::gfx::Texture* atlas_ = nullptr;
        int left_ = 0;
        int top_ = 0;
    };

    support::TestArena pixels{64 << 20};  // the room package holds the UI and HUD sprites too
    TextureLoader loader{nullptr, pixels.heap()};
    SpriteRegistry registry;
};

TEST_F(ShippedSprites, FilesOfTheDataFolderLoadByPath)
{
    WriteResource("common/logo.cvt", support::ImageFile("logo", 3, 2));
    WriteResource("ship/room/test.pac", support::ThreeSpritePackage());
    const int32_t id = registry.LoadTexture(loader, 3, "common/logo.cvt");
    EXPECT_EQ(id, 0x30000);
    ASSERT_NE(registry.GetTextureById(id), nullptr);
    EXPECT_EQ(registry.GetTextureById(id)->GetWidth(), 3);
    ASSERT_NE(registry.LoadSpritePackage(loader, 2, "ship/room/test.pac"), nullptr);
    EXPECT_EQ(registry.FindSprite(2, "wall"), 1);
    EXPECT_EQ(registry.LoadSpritePackage(loader, 3, "ship/room/missing.pac"), nullptr);
    EXPECT_TRUE(registry.GetSpriteGroup(3)->IsEmpty());
}

// The ship finds its grid, marker, gauge, cursor and turret sprites by these
// names in the room package; the grid cell is as large as the floor sprite.
TEST_F(ShippedSprites, TheRoomPackageHoldsTheSpritesTheShipLooksUp)
{
    const std::vector<uint8_t> package = support::ReadBuiltResource("ship/room/dotroom.pac");
    ASSERT_FALSE(package.empty()) << "the data set is not built";
    WriteResource("ship/room/dotroom.pac", package);
    ASSERT_NE(registry.LoadSpritePackage(loader, 2, "ship/room/dotroom.pac"), nullptr);
    for (const char* name : {"dot_basegrid", "dot_basegrid2", "dot_damagemarker", "dot_damagemarker_out",
                             "ui_labelbase", "ui_cursor_grid_normal", "dotroom_machinegun_01", "dotroom_cannon_01",
                             "dotroom_laser_01"}) {
        EXPECT_GE(registry.FindSprite(2, name), 0) << name;
    }
    const SYS_CTexture* floor = registry.GetSprite(2, registry.FindSprite(2, "dot_basegrid"));
    ASSERT_NE(floor, nullptr);
    EXPECT_EQ(floor->GetWidth(), 24);
    EXPECT_EQ(floor->GetHeight(), 24);
}

// The Korean headings are set large enough for Hangul to read: in the count heading 개수 the bar of
// ㄱ and the two bars of ㅐ stand apart, so that some row of 개 crosses three strokes of the
// heading's face colour (set smaller, the two bars ran into one and the word read as 기수).
TEST_F(ShippedSprites, TheKoreanCountHeadingKeepsTheStrokesOfItsFirstLetterApart)
{
    ASSERT_NO_FATAL_FAILURE(LoadRoomPackage());
    const Lettering heading(registry, "ui_text_num_kr");
    ASSERT_TRUE(heading.Loaded());
    constexpr uint32_t kFace = 0xFF9FE3DAu;
    // The letters start 5 pixels in, past the heading's bar; 개 is the first half of the word.
    const int firstLetterEnd = 5 + (heading.Width() - 10) / 2;
    EXPECT_GE(heading.MostStrokes(kFace, 5, firstLetterEnd, 0, heading.Height(), false), 3);
}

// The HUD's Korean words read as the words they are, plain and pressed: in 아지트 (hideout) the three
// bars of ㅌ and the bar of ㅡ stand apart, so that some column of 트 meets four strokes (set at 9
// pixels, two bars of ㅌ ran into one and the word read as 아지드). The larger words still end
// above the three rows of the button that the HUD lays past the canvas's bottom edge, with a row to
// spare.
TEST_F(ShippedSprites, TheKoreanHudWordsKeepTheBarsOfTheirLettersApartAboveTheCanvasEdge)
{
    ASSERT_NO_FATAL_FAILURE(LoadRoomPackage());
    constexpr int kBelowCanvas = 3;
    // Below the flag on the button's top.
    constexpr int kWordTop = 22;
    for (const auto& [name, ink] : {std::pair{"ui_common_ajito_kr", 0xFFFFFFFFu}, std::pair{"ui_common_ajito_touch_kr", 0xFFB7BEC2u}}) {
        SCOPED_TRACE(name);
        const Lettering button(registry, name);
        ASSERT_TRUE(button.Loaded());
        const auto [first, end] = button.InkedColumns(ink, 0, kWordTop, button.Height());
        ASSERT_LT(first, end);
        const int lastLetter = end - (end - first) / 3;
        EXPECT_GE(button.MostStrokes(ink, lastLetter, end, kWordTop, button.Height(), true), 4);
        EXPECT_LE(button.InkedRowsEnd(ink), button.Height() - kBelowCanvas - 1);
    }
}

// The Japanese headings and the build cursor's stop button are set large enough for kanji to read:
// the last letter of 依頼できる作業 (tasks) is 業, whose bars stand apart so that some column meets
// five strokes, and so are those of 建 in 建築をやめる (stop building), plain and pressed; set at 9
// pixels, the bars ran into blots of three.
TEST_F(ShippedSprites, TheJapaneseKanjiKeepTheirBarsApart)
{
    ASSERT_NO_FATAL_FAILURE(LoadRoomPackage());
    const Lettering heading(registry, "ui_text_execute_enable");
    ASSERT_TRUE(heading.Loaded());
    constexpr uint32_t kFace = 0xFF9FE3DAu;
    // Past the heading's bar.
    const auto [first, end] = heading.InkedColumns(kFace, 5, 0, heading.Height());
    ASSERT_LT(first, end);
    EXPECT_GE(heading.MostStrokes(kFace, end - (end - first) / 7, end, 0, heading.Height(), true), 5);
    for (const auto& [name, ink] : {std::pair{"ui_common_buildstop", 0xFFFFFFFFu}, std::pair{"ui_common_buildstop_touch", 0xFFB7BEC2u}}) {
        SCOPED_TRACE(name);
        const Lettering button(registry, name);
        ASSERT_TRUE(button.Loaded());
        // Right of the stop mark.
        const auto [wordFirst, wordEnd] = button.InkedColumns(ink, 24, 2, button.Height() - 2);
        ASSERT_LT(wordFirst, wordEnd);
        EXPECT_GE(button.MostStrokes(ink, wordFirst, wordFirst + (wordEnd - wordFirst) / 6, 2, button.Height() - 2, true), 5);
    }
}

// A room screen's heading keeps its words on the rows of the bar beside them, the face on the bar's
// rows and its shadow at most one row lower, in every script: the line under a heading starts right
// there (set at 11 pixels, the kanji of 支払い (pay) and 燃料 (fuel) reached a row lower and ran into
// the market's separator line and the fuel gauge's frame).
TEST_F(ShippedSprites, TheHeadingsKeepTheirWordsOnTheRowsOfTheirBar)
{
    ASSERT_NO_FATAL_FAILURE(LoadRoomPackage());
    constexpr uint32_t kFace = 0xFF9FE3DAu;
    constexpr uint32_t kShadow = 0xFF10161Bu;
    constexpr int kWordsLeft = 5;
    for (const char* heading : {"ui_text_information", "ui_text_execute_enable", "ui_text_buildenable", "ui_text_food_stock",
                                "ui_text_cooking", "ui_text_food_menu", "ui_text_currentbullet", "ui_text_ammo_menu",
                                "ui_text_executing", "ui_text_actor", "ui_text_num", "ui_text_sellprice", "ui_text_name",
                                "ui_text_achivement", "ui_text_speed", "ui_text_fuel_rate", "ui_text_mode_change", "ui_text_ajito",
                                "ui_text_distance", "ui_text_quest", "ui_text_gas", "ui_text_shop", "ui_text_fuel", "ui_text_pay",
                                "ui_text_havemoney", "ui_text_price", "ui_text_total_price"}) {
        for (const char* suffix : {"", "_eng", "_kr"}) {
            const std::string name = std::string(heading) + suffix;
            SCOPED_TRACE(name);
            const Lettering picture(registry, name.c_str());
            ASSERT_TRUE(picture.Loaded());
            int barFoot = -1;
            for (int y = 0; y < picture.Height(); ++y) barFoot = picture.Inked(0, y, kFace) ? y : barFoot;
            ASSERT_GE(barFoot, 0);
            int faceFoot = -1;
            int shadowFoot = -1;
            for (int y = 0; y < picture.Height(); ++y) {
                for (int x = kWordsLeft; x < picture.Width(); ++x) {
                    faceFoot = picture.Inked(x, y, kFace) ? y : faceFoot;
                    shadowFoot = picture.Inked(x, y, kShadow) ? y : shadowFoot;
                }
            }
            EXPECT_LE(faceFoot, barFoot);
            EXPECT_LE(shadowFoot, barFoot + 1);
        }
    }
}

}  // namespace
}  // namespace vesk::resource
