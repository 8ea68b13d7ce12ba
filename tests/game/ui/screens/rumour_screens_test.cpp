// The pub and the rumour log: buying rumours once, their texts laid out and scrolled, and the log's list by hideout.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "framework/text/message_file.h"
#include "game/model/travel/travel_controller.h"
#include "game/services/data/id_tags.h"
#include "game/services/data/static_database.h"
#include "game/services/data/tag.h"
#include "game/services/input/input_actions.h"
#include "game/services/player/player_data.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "game/services/save/working_slot.h"
#include "game/services/text/language.h"
#include "game/services/text/message_text.h"
#include "game/ui/dialog_flow.h"
#include "game/ui/selection_dialog.h"
#include "game/ui/screens/ui_build.h"
#include "game/ui/screens/ui_pub.h"
#include "game/ui/screens/ui_talk_log.h"
#include "game/ui/text_line_buffer.h"
#include "game/ui/text_lines.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_text.h"
#include "game/ui/widgets/ui_icon_object.h"
#include "game/ui/widgets/ui_label_object.h"
#include "game/ui/widgets/ui_null_object.h"
#include "game/ui/widgets/ui_scroll_bar_object.h"
#include "platform/little_endian.h"
#include "tests/game/ui/ui_test_base.h"
#include "tests/support/message_data.h"

namespace {

std::u16string Lines(int count)
{
    std::u16string text;
    for (int i = 0; i < count; ++i) {
        if (i > 0) text += u'\n';
        text += u"line " + std::u16string(1, static_cast<char16_t>(u'A' + i % 26));
    }
    return text;
}

class RumourScreensTest : public support::UITest {
protected:
    void SetUp() override
    {
        UITest::SetUp();
        // The game's English texts with the test rumours' own.
        std::vector<tools::MessageFileEntry> entries = support::ReadMessageSource("english").entries;
        entries.push_back({"R901_DISCRIPT", u"A\r\nB"});
        entries.push_back({"R902_DISCRIPT", Lines(41)});
        entries.push_back({"R903_DISCRIPT", Lines(8)});
        vesk::text::ReleaseMessageFile();
        ASSERT_TRUE(vesk::text::RegisterMessageFile(tools::WriteMessageFile(entries, 1)));
        GetPlayerData()->language = 1;
    }

    // Test rumours R901.. at the pub of the hideout, after its own; made before anything is bought,
    // as a new record moves the bought bits of the records after it.
    static void AddRumours(const char (&hideout)[5], int count, std::int32_t price = 10)
    {
        GAME_CStaticDatabase& database = *GetStaticDatabase();
        for (int i = 1; i <= count; ++i) {
            const std::string id = "R9" + std::string(i < 10 ? "0" : "") + std::to_string(i);
            const std::uint32_t tag = TagFromText(id);
            database.GetOrCreateRumorData(tag)->price = price;
            database.GetOrCreateHideoutData(MakeTag(hideout))->rumors.push_back(tag);
        }
    }

    static std::uint32_t TagFromText(const std::string& text)
    {
        std::uint32_t tag = 0;
        for (std::size_t i = 0; i < 4; ++i) tag |= static_cast<std::uint32_t>(static_cast<unsigned char>(text[i])) << (8 * i);
        return tag;
    }

    static std::size_t PositionOf(std::uint32_t id)
    {
        std::int32_t position = -1;
        GetStaticDatabase()->FindRumorDataIndexed(id, &position);
        return static_cast<std::size_t>(position);
    }

    void StandAt(const char (&hideout)[5]) const
    {
        const std::uint32_t id = MakeTag(hideout);
        ASSERT_TRUE(world->travel->SetCurrentLocation(&id));
    }

    void Press(int action)
    {
        PressAction(action);
        StepFrames(2);
    }

    GAME_CUIPub& Pub() const { return *UI().Get<GAME_CUIPub>(); }
    GAME_CUITalkLog& Log() const { return *UI().Get<GAME_CUITalkLog>(); }

    void OpenPub()
    {
        UI().SetOpen(kSlotPub, true);
        ASSERT_TRUE(StepUntil([&] { return Pub().State() == UIScreenState::kMain; }, 40));
    }

    void OpenLog()
    {
        UI().SetOpen(kSlotTalkLog, true);
        ASSERT_TRUE(StepUntil([&] { return Log().State() == UIScreenState::kMain; }, 40));
    }

    // Decide on the pub's cursor row, through the listen button's delay.
    void DecideInPub()
    {
        PressAction(kActionDecide);
        StepFrames(8);
    }

    // The pub's cursor down to a listed rumour.
    void PubCursorTo(std::uint32_t id)
    {
        const std::size_t position = PositionOf(id);
        for (int guard = 0; guard < Pub().List().count; ++guard) {
            if (Pub().ListedPosition(Pub().List().top + Pub().List().cursor) == position) return;
            Press(kActionCursorDown);
        }
        FAIL() << TagText(id) << " is not listed";
    }

    std::u16string ShownLine(const UIRumourTextWindow& window, int line) const
    {
        return std::u16string(window.Line(line)->Literal());
    }
};

TEST_F(RumourScreensTest, APubSellsEachRumourOnceTellsItsTextAgainForFreeAndKeepsTheEndingsRumourBack)
{
    ASSERT_NO_FATAL_FAILURE(StandAt("AD01"));
    GAME_CStaticDatabase& database = *GetStaticDatabase();
    // The pub sells R001, R002 and the ending's rumour before the test's own.
    database.GetOrCreateHideoutData(MakeTag("AD01"))->rumors = {MakeTag("R001"), MakeTag("R002"), MakeTag("R006")};
    AddRumours("AD01", 6);
    GAME_CPlayerData& player = *GetPlayerData();
    player.money = 100;
    platform::WriteU32(GetWorkingSlot(), save_layout::slot::kEndingSeen, 0);
    working_slot::SetStoryFlag(1, false);

    // The ending's rumour waits: R001, R002 and the six test rumours are listed.
    ASSERT_NO_FATAL_FAILURE(OpenPub());
    EXPECT_EQ(Pub().Title()->Literal(), FormatUIMessage("PUB_TYPE_NAME0", {UITagName(MakeTag("AD01"))}));
    ASSERT_EQ(Pub().List().count, 8);
    EXPECT_EQ(Pub().RowAt(0).name->Literal(), UITagName(MakeTag("R001")));
    EXPECT_EQ(Pub().RowAt(0).price->Literal(), GetMessageTextExpanded("MONEY_MARK") + u"１００");
    EXPECT_EQ(Pub().RowAt(0).check->Color() >> 24, 0u);
    // Up on the first goes round to the eighth, on the last row with the list scrolled by one.
    Press(kActionCursorUp);
    EXPECT_EQ(Pub().List().cursor, 6);
    EXPECT_EQ(Pub().List().top, 1);
    Press(kActionCursorDown);
    EXPECT_EQ(Pub().List().cursor, 0);
    EXPECT_EQ(Pub().List().top, 0);

    // R001 costs all the money there is: asked, bought, its map bit set, its text shown.
    DecideInPub();
    ASSERT_EQ(Pub().CurrentStep(), GAME_CUIPub::kListenQuestion);
    AnswerDialog(0);
    StepFrames(1);
    EXPECT_TRUE(Played(59));
    StepFrames(2);
    ASSERT_EQ(Pub().CurrentStep(), GAME_CUIPub::kText);
    EXPECT_EQ(player.money, 0);
    EXPECT_TRUE(working_slot::RumorBought(PositionOf(MakeTag("R001"))));
    EXPECT_TRUE(working_slot::StoryFlag(1));
    EXPECT_EQ(std::string(Pub().TextWindow().Title()->Key()), "R001");
    EXPECT_EQ(ShownLine(Pub().TextWindow(), 0), GetMessageTextExpanded("R001_DISCRIPT"));
    Press(kActionCancel);
    StepFrames(8);
    ASSERT_EQ(Pub().CurrentStep(), GAME_CUIPub::kList);
    EXPECT_EQ(Pub().RowAt(0).check->Color() >> 24, 0xFFu);
    EXPECT_EQ(Pub().RowAt(0).price->Literal(), GetMessageTextExpanded("MONEY_MARK") + u"０");

    // Told again: no question, no charge, its flags set once more.
    working_slot::SetStoryFlag(1, false);
    player.money = 30;
    DecideInPub();
    EXPECT_EQ(Pub().CurrentStep(), GAME_CUIPub::kText);
    EXPECT_FALSE(IsDialogShown());
    EXPECT_EQ(player.money, 30);
    EXPECT_TRUE(working_slot::StoryFlag(1));
    Press(kActionCancel);
    StepFrames(8);

    // Too little money for R002: the notice, and nothing written.
    ASSERT_NO_FATAL_FAILURE(PubCursorTo(MakeTag("R002")));
    DecideInPub();
    ASSERT_EQ(Pub().CurrentStep(), GAME_CUIPub::kNotEnoughMoney);
    EXPECT_EQ(GetInDisplaySelection()->Message(), GetMessageTextExpanded("PUB_NOT_ENOUGH_MONEY"));
    ASSERT_TRUE(StepUntil([] { return GetInDisplaySelection()->EnterButton()->State() == 1; }, 10));
    PressAction(kActionDecide);
    ASSERT_TRUE(StepUntil([&] { return Pub().CurrentStep() == GAME_CUIPub::kList; }, 30));
    EXPECT_EQ(player.money, 30);
    EXPECT_FALSE(working_slot::RumorBought(PositionOf(MakeTag("R002"))));
    EXPECT_FALSE(working_slot::StoryFlag(2));

    // R002 bought: nine lines, scrolled by the keys through the bar, two steps and no further.
    player.money = 500;
    DecideInPub();
    AnswerDialog(0);
    StepFrames(3);
    ASSERT_EQ(Pub().CurrentStep(), GAME_CUIPub::kText);
    EXPECT_EQ(player.money, 300);
    const UIRumourTextWindow& text = Pub().TextWindow();
    EXPECT_EQ(text.Buffer().Count(), 9u);
    EXPECT_EQ(text.ScrollBar()->Maximum(), 2);
    EXPECT_EQ(text.PreviousMark()->Literal(), u"");
    EXPECT_EQ(std::string(text.NextMark()->Key()), "TEXT_NEXT_CURSOR");
    KeepCanvasPicture("pub_text");
    for (int step = 0; step < 3; ++step) {
        PressAction(kActionCursorDown);
        StepFrames(1);
        EXPECT_FALSE(Played(kSeUICursor));
        StepFrames(1);
    }
    EXPECT_EQ(text.ScrollBar()->Value(), 2);
    EXPECT_EQ(std::string(text.PreviousMark()->Key()), "TEXT_PREV_CURSOR");
    EXPECT_EQ(text.NextMark()->Literal(), u"");
    EXPECT_EQ(ShownLine(text, 6), text.Buffer().Line(8));
    Press(kActionCancel);
    StepFrames(8);

    // A carriage return and a line feed leave an empty line; 41 lines keep the first 32.
    ASSERT_NO_FATAL_FAILURE(PubCursorTo(TagFromText("R901")));
    DecideInPub();
    AnswerDialog(0);
    StepFrames(3);
    ASSERT_EQ(text.Buffer().Count(), 3u);
    EXPECT_EQ(ShownLine(text, 0), u"A");
    EXPECT_EQ(ShownLine(text, 1), u"");
    EXPECT_EQ(ShownLine(text, 2), u"B");
    Press(kActionCancel);
    StepFrames(8);
    Press(kActionCursorDown);
    DecideInPub();
    AnswerDialog(0);
    StepFrames(3);
    EXPECT_EQ(text.Buffer().Count(), 32u);
    EXPECT_EQ(text.Buffer().Line(31), u"line F");
    EXPECT_EQ(text.ScrollBar()->Maximum(), 25);
    Press(kActionCancel);
    StepFrames(8);

    // Closed onto the hideout menu; once the ending was seen its rumour is listed.
    Press(kActionCancel);
    ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotPub); }, 40));
    EXPECT_TRUE(UI().IsOpen(kSlotAjitoMenu));
    ASSERT_TRUE(CloseScreen(kSlotAjitoMenu));
    platform::WriteU32(GetWorkingSlot(), save_layout::slot::kEndingSeen, 1);
    ASSERT_NO_FATAL_FAILURE(OpenPub());
    EXPECT_EQ(Pub().List().count, 9);
    EXPECT_EQ(Pub().RowAt(2).name->Literal(), UITagName(MakeTag("R006")));
}

// The rows follow the list's bar as it is dragged or wheeled, and the rumour decided is the one its
// row shows: eleven rumours, four past the seven rows.
TEST_F(RumourScreensTest, ThePubsRowsFollowItsBarDraggedOrWheeled)
{
    ASSERT_NO_FATAL_FAILURE(StandAt("AD01"));
    GetStaticDatabase()->GetOrCreateHideoutData(MakeTag("AD01"))->rumors.clear();
    AddRumours("AD01", 11);
    GetPlayerData()->money = 0;
    ASSERT_NO_FATAL_FAILURE(OpenPub());
    ASSERT_EQ(Pub().List().count, 11);
    const auto rowsShowFrom = [&](int top) {
        for (int r = 0; r < 7; ++r) {
            const std::string id = "R9" + std::string(top + r + 1 < 10 ? "0" : "") + std::to_string(top + r + 1);
            if (Pub().RowAt(r).name->Literal() != UITagName(TagFromText(id))) return false;
        }
        return true;
    };
    ASSERT_TRUE(rowsShowFrom(0));

    // Dragged from the bar's top to its foot: the last four rumours come up.
    Drag(529, 108, 529, 243, 6);
    StepFrames(1);
    ASSERT_EQ(Pub().List().top, 4);
    EXPECT_TRUE(rowsShowFrom(4)) << ::testing::PrintToString(Pub().RowAt(0).name->Literal());
    // The wheel toward the player scrolls back one.
    PointerMove(300, 150);
    Wheel(1);
    StepFrames(2);
    ASSERT_EQ(Pub().List().top, 3);
    EXPECT_TRUE(rowsShowFrom(3));
    // The cursor's row names the rumour the question asks about.
    DecideInPub();
    ASSERT_EQ(Pub().CurrentStep(), GAME_CUIPub::kNotEnoughMoney);
    EXPECT_EQ(Pub().RowAt(Pub().List().cursor).name->Literal(), UITagName(TagFromText("R904")));
}

// The mind-control room is met at the pub where the journey starts: before its rumour the build menu
// hides the kind whose materials the ship lacks, after it the menu lists it greyed.
TEST_F(RumourScreensTest, TheStartPubTellsHowToBuildTheMindControlRoomAndTheBuildMenuThenListsIt)
{
    ASSERT_NO_FATAL_FAILURE(StandAt("AD01"));
    const std::uint32_t rumour = MakeTag("R007");
    const std::int32_t kind = FindRoomIdIndex(MakeTag("ID14"));
    const auto buildRow = [&] { return UI().Get<GAME_CUIBuild>()->CanBuildRoom(static_cast<std::intptr_t>(MakeTag("ID14"))); };
    ASSERT_FALSE(working_slot::RoomKindUnlocked(kind));
    EXPECT_EQ(buildRow(), GAME_CUIBuild::kRowHidden);
    GAME_CPlayerData& player = *GetPlayerData();
    player.money = 500;

    ASSERT_NO_FATAL_FAILURE(OpenPub());
    ASSERT_NO_FATAL_FAILURE(PubCursorTo(rumour));
    DecideInPub();
    AnswerDialog(0);
    StepFrames(3);
    ASSERT_EQ(Pub().CurrentStep(), GAME_CUIPub::kText);
    EXPECT_EQ(player.money, 500 - GetStaticDatabase()->FindRumorData(rumour)->price);
    EXPECT_TRUE(working_slot::RumorBought(PositionOf(rumour)));
    EXPECT_TRUE(working_slot::RoomKindUnlocked(kind));
    EXPECT_EQ(buildRow(), GAME_CUIBuild::kRowDisabled);
}

TEST_F(RumourScreensTest, TheLogListsBoughtRumoursUnderEveryHideoutTellingThemAndPagesTheirTexts)
{
    AddRumours("AD05", 6);

    // Nothing bought: no rows, no cursor, and reading does nothing.
    ASSERT_NO_FATAL_FAILURE(OpenLog());
    EXPECT_TRUE(Log().Entries().empty());
    EXPECT_EQ(Log().CursorArrow()->Color() >> 24, 0u);
    Press(kActionDecide);
    StepFrames(6);
    EXPECT_EQ(Log().CurrentStep(), GAME_CUITalkLog::kList);
    Press(kActionCancel);
    ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotTalkLog); }, 40));
    EXPECT_TRUE(UI().IsOpen(kSlotPause));
    ASSERT_TRUE(CloseScreen(kSlotPause));

    // R004, heard once, stands under both hideouts that tell it; with R001 three rows, and up
    // from the first row goes to the third.
    working_slot::SetRumorBought(PositionOf(MakeTag("R004")));
    working_slot::SetRumorBought(PositionOf(MakeTag("R001")));
    ASSERT_NO_FATAL_FAILURE(OpenLog());
    ASSERT_EQ(Log().Entries().size(), 3u);
    EXPECT_EQ(Log().RowAt(0).rumour->Literal(), UITagName(MakeTag("R001")));
    EXPECT_EQ(Log().RowAt(0).hideout->Literal(), UITagName(MakeTag("AD01")));
    EXPECT_EQ(Log().RowAt(1).rumour->Literal(), UITagName(MakeTag("R004")));
    EXPECT_EQ(Log().RowAt(1).hideout->Literal(), UITagName(MakeTag("AD03")));
    EXPECT_EQ(Log().RowAt(2).rumour->Literal(), UITagName(MakeTag("R004")));
    EXPECT_EQ(Log().RowAt(2).hideout->Literal(), UITagName(MakeTag("AD04")));
    EXPECT_EQ(Log().CursorArrow()->Color() >> 24, 0xFFu);
    Press(kActionCursorUp);
    EXPECT_EQ(Log().List().cursor, 2);
    EXPECT_EQ(Log().List().top, 0);
    ASSERT_TRUE(CloseScreen(kSlotTalkLog));

    // Nine rows: the list scrolls by one, and R903's eight lines page by one.
    for (const char* id : {"R901", "R902", "R903", "R904", "R905", "R906"}) {
        working_slot::SetRumorBought(PositionOf(TagFromText(id)));
    }
    ASSERT_NO_FATAL_FAILURE(OpenLog());
    ASSERT_EQ(Log().Entries().size(), 9u);
    EXPECT_EQ(Log().ListScrollBar()->Maximum(), 1);
    for (int step = 0; step < 5; ++step) Press(kActionCursorDown);
    ASSERT_EQ(Log().List().cursor, 5);
    EXPECT_EQ(Log().RowAt(5).rumour->Literal(), u"R903");
    Press(kActionDecide);
    StepFrames(6);
    ASSERT_EQ(Log().CurrentStep(), GAME_CUITalkLog::kText);
    const UIRumourTextWindow& text = Log().TextWindow();
    EXPECT_EQ(text.Buffer().Count(), 8u);
    EXPECT_EQ(text.PreviousMark()->Literal(), u"");
    EXPECT_EQ(std::string(text.NextMark()->Key()), "TEXT_NEXT_CURSOR");
    KeepCanvasPicture("rumour_log_text");
    PressAction(kActionCursorDown);
    StepFrames(1);
    EXPECT_TRUE(Played(kSeUICursor));
    StepFrames(1);
    EXPECT_EQ(std::string(text.PreviousMark()->Key()), "TEXT_PREV_CURSOR");
    EXPECT_EQ(text.NextMark()->Literal(), u"");
    Press(kActionCursorDown);
    EXPECT_EQ(text.ScrollBar()->Value(), 1);
    Press(kActionCancel);
    StepFrames(8);
    EXPECT_EQ(Log().CurrentStep(), GAME_CUITalkLog::kList);
    EXPECT_EQ(Log().List().cursor, 5);
}

// In every language each line of every rumour's text is no wider than the rules under the text
// window's lines, and no text has more lines than the window lays out.
TEST_F(RumourScreensTest, EveryRumourTextFitsTheTextWindowInEveryLanguage)
{
    const float textRoom = UISpriteSize(FindUISprite("ui_separator_big")).x;
    for (std::uint32_t language = 0; language < kLanguageCount; ++language) {
        ChooseLanguage(language);
        const std::string_view file = GetMessageFileForLanguage(language);
        for (const auto& rumour : GetStaticDatabase()->Rumors()) {
            const std::string key = TagText(rumour.first) + "_DISCRIPT";
            const std::vector<std::u16string> lines = SplitTextLines(GetMessageTextExpanded(key), {.ends = TextLineEnds::kEveryBreak});
            EXPECT_LE(lines.size(), GAME_CTextLineBuffer::kLines) << file << ": " << key;
            for (const std::u16string& line : lines) {
                EXPECT_LE(MeasureUIText(line), textRoom) << file << ": " << key << ", line " << (&line - lines.data()) + 1;
            }
        }
    }
}

}  // namespace
