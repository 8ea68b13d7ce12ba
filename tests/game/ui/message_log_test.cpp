// The message log: its 64 lines, the ten-row window with its cursor and scroll, the tallies and who it reopens.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/graphics/sprite_registry.h"
#include "framework/text/font_manager.h"
#include "game/services/achievement/achievements.h"
#include "game/services/input/input_actions.h"
#include "game/services/clock/game_clock.h"
#include "game/ui/message_log.h"
#include "game/ui/resident_bar.h"
#include "game/services/player/player_data.h"
#include "game/services/text/language.h"
#include "game/services/text/message_text.h"
#include "game/ui/screens/ui_common.h"
#include "game/ui/ui_draw.h"
#include "game/ui/widgets/ui_info_bar_object.h"
#include "game/ui/widgets/ui_label_object.h"
#include "tests/game/ui/ui_test_base.h"

namespace {

class MessageLogTest : public support::UITest {
protected:
    GAME_CUIMessageLog& Log() { return *UI().MessageLog(); }

    static std::u16string Line(int n)
    {
        const std::string digits = std::to_string(n);
        return u"notice " + std::u16string(digits.begin(), digits.end());
    }

    // Notices first to last, numbered from first.
    void Post(int first, int last, std::int32_t kind = 0)
    {
        for (int n = first; n <= last; ++n) Log().AddMessage(Line(n), kind);
    }

    // Opens the log as the pause menu does and lets it settle, with a frame drawn after it.
    void OpenLog()
    {
        Log().SetOpen(true);
        ASSERT_TRUE(StepUntil([&] { return Log().State() == UIScreenState::kMain; }, 30));
        StepFrames(2);
    }

    void CloseLog()
    {
        ASSERT_TRUE(CloseScreen(kSlotMessageLog));
        world->held = 0;
    }

    std::u16string Row(int row) { return std::u16string(Log().RowLabel(row)->Literal()); }

    // The x of every draw of the sprite in the last frame.
    std::vector<float> DrawsOf(const char* name) const
    {
        std::vector<float> xs;
        const int index = vesk::resource::FindSpriteIndex(2, name);
        for (const auto& draw : frames.back().sprites) {
            if (draw.group == 2 && draw.ref == index) xs.push_back(draw.x);
        }
        return xs;
    }
};

TEST_F(MessageLogTest, NoticesFillTheWindowFromTheOldestAndTheSixtyFifthPushesTheOldestOut)
{
    // Without a notice the cursor is hidden; up and down only sound.
    OpenLog();
    EXPECT_FALSE(Log().IsCursorShown());
    PressAction(kActionCursorDown);
    StepFrames(1);
    EXPECT_TRUE(Played(kSeUICursor));
    PressAction(kActionCursorUp);
    StepFrames(1);
    EXPECT_TRUE(Played(kSeUICursor));
    EXPECT_EQ(Log().CursorRow(), 0);
    EXPECT_EQ(Log().ScrollValue(), 0);
    CloseLog();

    Post(1, 3);
    OpenLog();
    EXPECT_EQ(Log().ScrollMaximum(), 0);
    EXPECT_EQ(Log().CursorRow(), 2);
    EXPECT_TRUE(Log().IsCursorShown());
    EXPECT_EQ(Row(0), Line(1));
    EXPECT_EQ(Row(2), Line(3));
    EXPECT_EQ(Row(3), u"");
    CloseLog();

    // Twelve: the window opens on the newest ten, lines 2 to 11.
    Post(4, 12);
    EXPECT_EQ(Log().ScrollMaximum(), 2);
    OpenLog();
    EXPECT_EQ(Log().ScrollValue(), 2);
    EXPECT_EQ(Row(0), Line(3));
    EXPECT_EQ(Row(9), Line(12));
    EXPECT_EQ(Log().CursorRow(), 9);
    // Down on the last row at the end of the scroll only sounds; up from the top row scrolls.
    PressAction(kActionCursorDown);
    StepFrames(1);
    EXPECT_TRUE(Played(kSeUICursor));
    EXPECT_EQ(Log().CursorRow(), 9);
    EXPECT_EQ(Log().ScrollValue(), 2);
    for (int i = 0; i < 10; ++i) {
        PressAction(kActionCursorUp);
        StepFrames(2);
    }
    EXPECT_EQ(Log().CursorRow(), 0);
    EXPECT_EQ(Log().ScrollValue(), 1);
    StepFrames(1);
    EXPECT_EQ(Row(0), Line(2));
    // A click on another row moves the cursor there; on the cursor's own row it does nothing.
    ClickAt(200, 100 + 18 * 5 + 9);
    StepFrames(1);
    EXPECT_TRUE(Played(kSeUICursor));
    EXPECT_EQ(Log().CursorRow(), 5);
    ClickAt(200, 100 + 18 * 5 + 9);
    StepFrames(1);
    EXPECT_FALSE(Played(kSeUICursor));
    CloseLog();

    // The 65th notice pushes the first out; the window can scroll over 54 lines.
    Post(13, 65);
    EXPECT_EQ(Log().CountLines(), 64);
    EXPECT_EQ(Log().GetLine(0).text.c_str(), Line(2));
    EXPECT_EQ(Log().GetLine(63).text.c_str(), Line(65));
    EXPECT_EQ(Log().ScrollMaximum(), 54);

    // A line keeps 127 characters and its terminator; a null text stores nothing.
    Log().AddMessage(std::u16string(200, u'a'), 0);
    EXPECT_EQ(Log().GetLine(63).text.Length(), 127u);
    EXPECT_EQ(Log().GetLine(62).text.c_str(), Line(65));
    Log().AddMessage(static_cast<const char16_t*>(nullptr), 0);
    EXPECT_EQ(Log().GetLine(63).text.Length(), 127u);
}

TEST_F(MessageLogTest, LinesTakeTheirKindsColourAndTheTalliesAndDayAreCapped)
{
    Log().AddMessage(u"general", 0);
    Log().AddMessage(u"saving", 1);
    Log().AddMessage(u"bad news", 2);
    Log().AddMessage(u"good news", 3);
    Log().AddMessage(u"achievement", 4);
    Log().AddMessage(u"unknown kind", 9);
    GAME_CGameClock* clock = GetGameClock();
    clock->day = 1234;
    clock->itemsFound = 12345678;
    clock->counter = 12;
    clock->enemiesDefeated = 0;
    OpenLog();
    const std::pair<const char16_t*, std::uint32_t> expected[] = {
        {u"general", GetUIColor(4)},   {u"saving", 0xFFFABB33u},   {u"bad news", 0xFF704EEFu},
        {u"good news", 0xFF40ECD6u},   {u"achievement", 0xFF32E850u}, {u"unknown kind", GetUIColor(4)},
    };
    for (const auto& [text, colour] : expected) {
        const support::RecordedTextDraw* draw = FindTextDraw(text);
        ASSERT_NE(draw, nullptr);
        EXPECT_EQ(draw->color, colour);
    }
    // The day shows 999 in three digits; a tally above 9,999,999 shows 9,999,999 in full-width digits.
    EXPECT_EQ(DrawsOf("ui_text_num_9"), (std::vector<float>{400.0f, 432.0f, 464.0f}));
    EXPECT_EQ(Log().TallyLabel(1)->Literal().substr(0, 7), u"９９９９９９９");
    EXPECT_EQ(Log().TallyLabel(3)->Literal().substr(0, 2), u"１２");
    EXPECT_EQ(Log().TallyLabel(5)->Literal().substr(0, 1), u"０");
}

TEST_F(MessageLogTest, ClosingReopensWhoeverOpenedTheLogAndOnlyTheHudsShortcutFreesTheSimulation)
{
    UI().SetOpen(kSlotCommon, true);
    StepFrames(20);

    // From the HUD's shortcut: the simulation stops while the log slides in for 15 frames and is open.
    PressAction(kActionShortcutLog);
    StepFrames(1);
    EXPECT_TRUE(Log().IsOpen());
    EXPECT_EQ(Log().openedByShortcut, 1);
    StepFrames(1);
    EXPECT_EQ(Log().State(), UIScreenState::kOpening);
    EXPECT_EQ(world->held, 1u);
    StepFrames(13);
    EXPECT_LT(Log().Root()->GetPosition()->y, 0.0f);
    StepFrames(1);
    EXPECT_EQ(Log().Root()->GetPosition()->y, 0.0f);
    StepFrames(1);
    EXPECT_EQ(Log().State(), UIScreenState::kMain);

    // Cancel presses the close button, which acts when its press ends; the menu pause ends with the slide.
    PressAction(kActionCancel);
    StepFrames(1);
    EXPECT_TRUE(Played(kSeUICancel));
    StepFrames(6);
    EXPECT_EQ(Log().State(), UIScreenState::kMain);
    StepFrames(1);
    EXPECT_EQ(Log().State(), UIScreenState::kClosing);
    EXPECT_EQ(world->held, 1u);
    ASSERT_TRUE(StepUntil([&] { return !Log().IsOpen(); }, 30));
    EXPECT_EQ(world->held, 0u);
    EXPECT_FALSE(UI().IsOpen(kSlotPause));
    EXPECT_TRUE(UI().IsOpen(kSlotCommon));

    // From the pause menu: closing opens the pause menu again and the menu pause stays.
    OpenLog();
    PressAction(kActionCancel);
    ASSERT_TRUE(StepUntil([&] { return !Log().IsOpen(); }, 40));
    EXPECT_TRUE(UI().IsOpen(kSlotPause));
    EXPECT_EQ(world->held, 1u);
}

// In every language each line the game posts to the log, with the widest name each may carry, fits
// its one row: no wider than the rule under it. The log neither cuts nor wraps a line.
TEST_F(MessageLogTest, EveryPostedLineFitsItsRowWithTheWidestNamesInEveryLanguage)
{
    // The rules start twelve units left of the rows' text.
    const float textRoom = UISpriteSize(FindUISprite("ui_separator_left")).x - 12.0f;
    const GAME_CStaticDatabase& database = *GetStaticDatabase();
    for (std::uint32_t language = 0; language < kLanguageCount; ++language) {
        ChooseLanguage(language);
        const std::string_view file = GetMessageFileForLanguage(language);
        const std::u16string item = WidestTagName(database.Items() | std::views::transform([](const auto& data) { return data->id; }));
        const std::u16string hideout = WidestTagName(std::views::keys(database.Hideouts()));
        const std::u16string room = WidestTagName(std::views::keys(database.Rooms()));
        const std::u16string member = WidestCrewName();
        std::u16string achievement;
        for (int index = 0; index < kAchievementCount; ++index) {
            std::u16string title = GetMessageTextExpanded(GetAchievementGameRow(index).messageKey.data());
            if (MeasureUIText(title) > MeasureUIText(achievement)) achievement = std::move(title);
        }
        const std::vector<std::pair<const char*, std::u16string>> lines{
            {"OLIF_GET_ITEM", FormatUIMessage("OLIF_GET_ITEM", {item})},
            {"OLIF_GO_TO_NEXT_AJITO", FormatUIMessage("OLIF_GO_TO_NEXT_AJITO", {hideout})},
            {"OLIF_AJITO_REACH", FormatUIMessage("OLIF_AJITO_REACH", {hideout})},
            {"OLIF_ROOM_BUILD_FINISHED", FormatUIMessage("OLIF_ROOM_BUILD_FINISHED", {room})},
            {"OLIF_ROOM_BREAK", FormatUIMessage("OLIF_ROOM_BREAK", {room})},
            {"OLIF_ACTOR_DIE", FormatUIMessage("OLIF_ACTOR_DIE", {member})},
            {"OLIF_ACTOR_LEAVE", FormatUIMessage("OLIF_ACTOR_LEAVE", {member})},
            {"OLIF_ACTOR_BIRTH", FormatUIMessage("OLIF_ACTOR_BIRTH", {member, member, member})},
            {"OLIF_ACHIEVEMENT", FormatUIMessage("OLIF_ACHIEVEMENT", {achievement})},
            {"OLIF_SHIP_DAMAGE_DANGER", GetMessageTextExpanded("OLIF_SHIP_DAMAGE_DANGER")},
            {"PAUSEUI_SAVE_RUNNING", GetMessageTextExpanded("PAUSEUI_SAVE_RUNNING")},
        };
        for (const auto& [key, line] : lines) EXPECT_LE(MeasureUIText(line), textRoom) << file << ": " << key;
    }
}

// Notices outlive a change of language in the log and in the ticker: each line still shows every
// character of the language it was written in, not only those the new language's font happens to
// hold, and the player's own language keeps drawing with the player's font.
TEST_F(MessageLogTest, LinesWrittenBeforeTheLanguageChangedStillShowEveryCharacter)
{
    GAME_CUIInfoBarObject& ticker = UI().Resident()->infoBar;
    ASSERT_TRUE(ticker.ClearMessages());
    const std::uint32_t written[] = {kLanguageJapanese, kLanguageKorean, kLanguageTraditionalChinese,
                                     kLanguageSimplifiedChinese, kLanguageEnglish};
    std::vector<std::u16string> lines;
    for (std::uint32_t language : written) {
        ChooseLanguage(language);
        lines.push_back(GetMessageTextExpanded("PAUSEUI_SAVE_RUNNING"));
        UI().PostLine(lines.back(), 1);
    }
    const vesk::text::SYS_CFontManager& fonts = *vesk::text::GetFontManager();
    auto missingGlyphs = [&](const support::RecordedTextDraw& draw) {
        const vesk::text::FontRecord* font = fonts.Font(static_cast<int>(draw.font));
        int missing = 0;
        for (char16_t c : draw.text) missing += font == nullptr || font->FindGlyph(c) == nullptr ? 1 : 0;
        return missing;
    };
    for (std::uint32_t shown : {kLanguageEnglish, kLanguageJapanese, kLanguageKorean}) {
        ChooseLanguage(shown);
        OpenLog();
        for (std::size_t n = 0; n < lines.size(); ++n) {
            // The ticker draws the same texts, clipped to its bar.
            const auto& texts = frames.back().texts;
            const auto row = std::find_if(texts.begin(), texts.end(), [&](const support::RecordedTextDraw& draw) {
                return draw.text == lines[n] && !draw.clip;
            });
            ASSERT_NE(row, texts.end()) << "written in " << written[n] << ", shown in " << shown;
            EXPECT_EQ(missingGlyphs(*row), 0) << "written in " << written[n] << ", shown in " << shown;
            if (written[n] == shown) {
                EXPECT_EQ(static_cast<int>(row->font), UIFontSlot());
            }
        }
        CloseLog();
        // The ticker draws the texts under way in the same fonts.
        int tickerDraws = 0;
        for (const support::RecordedTextDraw& draw : frames.back().texts) {
            if (std::find(lines.begin(), lines.end(), draw.text) == lines.end() || !draw.clip) continue;
            ++tickerDraws;
            EXPECT_EQ(missingGlyphs(draw), 0) << "ticker, shown in " << shown;
        }
        EXPECT_GT(tickerDraws, 0);
    }
}

}  // namespace
