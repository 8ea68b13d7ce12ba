// The quest board and the current quests as the player uses them: lists that wrap, the detail pane, taking, delivering and giving up quests.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_item.h"
#include "game/model/ship/ship.h"
#include "game/model/ship/item_drops.h"
#include "game/model/ship/task_base.h"
#include "game/model/ship/task_request.h"
#include "game/model/travel/route_manager.h"
#include "game/model/stores/stored_items.h"
#include "game/model/world/game_world.h"
#include "game/services/data/id_tags.h"
#include "game/services/data/static_database.h"
#include "game/services/data/tag.h"
#include "game/services/input/input_actions.h"
#include "game/services/player/inventory.h"
#include "game/services/player/player_data.h"
#include "game/services/save/quest_boards.h"
#include "game/services/save/save_image.h"
#include "game/services/sound/sound_player.h"
#include "game/services/text/language.h"
#include "game/services/text/message_text.h"
#include "game/ui/screens/ui_current_quest.h"
#include "game/ui/screens/ui_quest_board.h"
#include "game/ui/selection_dialog.h"
#include "game/ui/text_lines.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_text.h"
#include "game/ui/widgets/ui_label_object.h"
#include "game/ui/widgets/ui_scroll_bar_object.h"
#include "tests/game/ui/ui_test_base.h"
#include "tests/support/log_capture.h"
#include "tests/support/message_data.h"

namespace {

using Board = GAME_CUIQuestBoard;
using Quests = GAME_CUICurrentQuest;

class QuestScreensTest : public support::UITest {
protected:
    void SetUp() override
    {
        UITest::SetUp();
        for (int board = 0; board < 40; ++board) LayBoard(board, {}, 0);
    }

    // Board b holds the quests in its first slots (each with 3 days left), the mask marking the taken ones.
    static void LayBoard(int board, std::initializer_list<const char*> ids, std::uint32_t mask)
    {
        const std::span<std::uint8_t> slot = GetWorkingSlot();
        QuestBoardWriter writer(slot, board);
        int pair = 0;
        for (const char* id : ids) writer.SetPair(pair++, TagOf(id), 3);
        for (; pair < 32; ++pair) writer.EmptyPair(pair);
        writer.SetMask(mask);
    }
    static std::uint32_t TagOf(const char* id)
    {
        std::uint32_t tag = 0;
        for (int i = 0; i < 4; ++i) tag |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(id[i])) << (8 * i);
        return tag;
    }
    static QuestBoardRecord Record(int board) { return QuestBoardRecord(GetWorkingSlot(), board); }
    static GAME_CUIInDisplaySelectionObject& Dialog() { return *GetInDisplaySelection(); }
    static std::u16string Name(const char* id) { return GetMessageTextExpanded(id); }

    Board& QuestBoard() const { return *UI().Get<Board>(); }
    Quests& Current() const { return *UI().Get<Quests>(); }

    void StandAt(const char* hideout)
    {
        const std::uint32_t id = TagOf(hideout);
        world->travel->SetCurrentLocation(&id);
    }
    void OpenBoard()
    {
        UI().SetOpen(kSlotQuestBoard, true);
        ASSERT_TRUE(StepUntil([&] { return QuestBoard().State() == UIScreenState::kMain; }, 40));
        StepFrames(1);
    }
    void Press(int action)
    {
        PressAction(action);
        StepFrames(2);
    }
    void CloseMessage()
    {
        ASSERT_TRUE(StepUntil([] { return Dialog().IsVisible() && Dialog().EnterButton()->State() == 1; }, 20));
        PressAction(kActionDecide);
        ASSERT_TRUE(StepUntil([] { return !Dialog().IsVisible(); }, 30));
        StepFrames(2);
    }
    // Clicks the board's row twice, the second time within the double-click time (row r's name
    // stands at (378, 106 + 18 r) on the canvas).
    void DoubleClickRow(int row)
    {
        const int y = 110 + 18 * row;
        ClickAt(388, y);
        StepFrames(3);
        ClickAt(388, y);
        StepFrames(3);
    }
    // Whether the sound effect played in the last few frames.
    bool Heard(std::uint32_t id, std::size_t lastFrames = 3) const
    {
        for (std::size_t i = frames.size() > lastFrames ? frames.size() - lastFrames : 0; i < frames.size(); ++i) {
            const auto& effects = frames[i].soundEffects;
            if (std::find(effects.begin(), effects.end(), id) != effects.end()) return true;
        }
        return false;
    }
    std::u16string DetailLine(const UIQuestWindow& window, int line) const { return std::u16string(window.Detail().Label(line)->Literal()); }
};

// Seven offers on Cheddar Springs' board: the list wraps both ways and scrolls a row under row 5. An
// open offer is taken by a double click through its question; a taken one is never taken again by
// it, and delivered by it once its grain is to hand and not claimed by a carry. The thirteenth quest
// is refused with the error sound. Q008's notice slides down and back up. A description's CR LF
// leaves an empty line; a detail of eight lines scrolls a line a step. A place that is no hideout
// shows an empty board.
TEST_F(QuestScreensTest, TheBoardListsTakesDeliversAndRefusesAsThePlayerAsks)
{
    GAME_CStaticDatabase& database = *GetStaticDatabase();
    database.GetOrCreateHideoutData(TagOf("AD01"))->offerCount = 32;
    StandAt("AD01");
    LayBoard(0, {"Q001", "Q002", "Q003", "Q004", "Q005", "Q006", "Q007"}, 0);
    // The road's labels for the board and for a delivery are armed (with a command the script lacks:
    // dropped, but taken all the same).
    auto& words = world->travel->routeManager->Script().scriptWords;
    words[3] = 1'000'000;
    words[4] = 1'000'000;
    ASSERT_NO_FATAL_FAILURE(OpenBoard());
    EXPECT_EQ(words[3], -1) << "the board's label is taken as it opens";
    EXPECT_EQ(words[4], 1'000'000);
    EXPECT_EQ(QuestBoard().Board(), 0);
    EXPECT_EQ(QuestBoard().OfferCount(), 7);
    EXPECT_EQ(QuestBoard().Window().ListBar()->Maximum(), 1);
    EXPECT_EQ(QuestBoard().Window().Title()->Literal(), FormatUIMessage("QUESTBOARD_TYPE_NAME0", {Name("AD01")}));
    EXPECT_EQ(QuestBoard().Window().RowAt(0).label->Literal(), Name("Q001"));
    EXPECT_EQ(QuestBoard().Window().DescriptionLine(1)->Literal(), u"Her oven has gone cold.");

    // Down to row 5, then once more scrolls; up on the first goes to the last at row 5.
    for (int i = 0; i < 5; ++i) Press(kActionCursorDown);
    EXPECT_EQ(QuestBoard().List().cursor, 5);
    EXPECT_EQ(QuestBoard().List().top, 0);
    Press(kActionCursorDown);
    EXPECT_EQ(QuestBoard().List().cursor, 5);
    EXPECT_EQ(QuestBoard().List().top, 1);
    EXPECT_TRUE(Heard(kSeUICursor));
    Press(kActionCursorDown);
    EXPECT_EQ(QuestBoard().List().Index(), 0);
    Press(kActionCursorUp);
    EXPECT_EQ(QuestBoard().List().cursor, 5);
    EXPECT_EQ(QuestBoard().List().top, 1);
    Press(kActionCursorDown);

    // Q005's CR LF leaves its second line empty.
    for (int i = 0; i < 4; ++i) Press(kActionCursorDown);
    ASSERT_EQ(QuestBoard().List().Index(), 4);
    EXPECT_EQ(QuestBoard().Window().DescriptionLine(0)->Literal(), u"Help a cart that ran out of fuel.");
    EXPECT_TRUE(QuestBoard().Window().DescriptionLine(1)->Literal().empty());
    EXPECT_EQ(QuestBoard().Window().DescriptionLine(2)->Literal(), u"It stands on the dune road.");
    for (int i = 0; i < 3; ++i) Press(kActionCursorDown);
    ASSERT_EQ(QuestBoard().List().Index(), 0);

    // A double click on the open Q001 asks; yes takes it for its 5 days.
    DoubleClickRow(0);
    ASSERT_EQ(QuestBoard().CurrentPage(), Board::kAskAccept);
    EXPECT_EQ(Dialog().Message(), FormatUIMessage("QUESTBOARD_ACCEPT_YESNO", {Name("Q001")}));
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
    StepFrames(2);
    EXPECT_TRUE(Record(0).IsAccepted(0));
    EXPECT_EQ(Record(0).Value(0), 5);
    EXPECT_EQ(Dialog().Message(), FormatUIMessage("QUESTBOARD_ACCEPT_FINISHED", {Name("Q001")}));
    ASSERT_NO_FATAL_FAILURE(CloseMessage());
    ASSERT_EQ(QuestBoard().CurrentPage(), Board::kList);
    EXPECT_EQ(QuestBoard().Window().RowAt(0).mark->Color() >> 24, 0xFFu);
    EXPECT_EQ(DetailLine(QuestBoard().Window(), 0), GetMessageTextExpanded("CURRENT_QUEST_UI_REMAIN_DAYS"));

    // Taken and without grain: a double click neither takes it again (its days stay) nor delivers.
    QuestBoardWriter(GetWorkingSlot(), 0).SetValue(0, 2);
    DoubleClickRow(0);
    EXPECT_EQ(QuestBoard().CurrentPage(), Board::kList);
    EXPECT_EQ(Record(0).Value(0), 2);
    EXPECT_TRUE(QuestBoard().DeliveryButton()->IsDisabled());

    // The grain lies on the ship, but a carry has claimed it: still nothing to deliver.
    const std::uint32_t grain = TagOf("I020");
    ASSERT_EQ(DropItemStacks(grain, 10, 0, 0), 0);
    GAME_CTaskBase* carry = GAME_CTaskBase::CreateFromRequest(MakeCarryFromStoreRequest(nullptr, -1, grain, 10));
    ASSERT_NE(carry, nullptr);
    DoubleClickRow(0);
    EXPECT_EQ(QuestBoard().CurrentPage(), Board::kList);
    EXPECT_TRUE(QuestBoard().DeliveryButton()->IsDisabled());
    EXPECT_EQ(DetailLine(QuestBoard().Window(), 2), Name("I020"));

    // The carry gone, a double click delivers: the fanfare, the money, Q001 off the board.
    carry->Finish();
    const std::int64_t money = GetPlayerData()->money;
    DoubleClickRow(0);
    ASSERT_EQ(QuestBoard().CurrentPage(), Board::kAskDelivery);
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
    StepFrames(2);
    EXPECT_TRUE(Heard(60));
    EXPECT_EQ(GetPlayerData()->money, money + 300);
    EXPECT_EQ(Record(0).Id(0), TagOf("Q002"));
    EXPECT_EQ(QuestBoard().OfferCount(), 6);
    ASSERT_NO_FATAL_FAILURE(CloseMessage());
    EXPECT_EQ(QuestBoard().List().Index(), 0);
    EXPECT_EQ(words[4], -1) << "the delivery's label is taken once its notice has gone";

    // Twelve quests taken elsewhere: the thirteenth is refused with the error sound, nothing written.
    LayBoard(1, {"Q001", "Q002", "Q003", "Q004", "Q005", "Q006", "Q007", "Q008", "Q001", "Q002", "Q003", "Q004"}, 0xFFF);
    Press(kActionDecide);
    ASSERT_TRUE(StepUntil([&] { return QuestBoard().CurrentPage() == Board::kLimitReached; }, 15));
    EXPECT_TRUE(Heard(kSeUIError, 15));
    EXPECT_EQ(Dialog().Message(), GetMessageTextExpanded("QUESTBOARD_ACCEPT_OVER"));
    ASSERT_NO_FATAL_FAILURE(CloseMessage());
    EXPECT_FALSE(Record(0).IsAccepted(0));
    LayBoard(1, {}, 0);

    // Q008 has a notice: it slides down from above in 15 frames and back up when closed.
    LayBoard(0, {"Q008"}, 0);
    ASSERT_TRUE(CloseScreen(kSlotQuestBoard));
    ASSERT_NO_FATAL_FAILURE(OpenBoard());
    Press(kActionDecide);
    ASSERT_TRUE(StepUntil([&] { return QuestBoard().CurrentPage() == Board::kAskAccept; }, 15));
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
    ASSERT_TRUE(StepUntil([&] { return QuestBoard().IsNoticeShown(); }, 5));
    EXPECT_FALSE(Dialog().IsVisible() && Dialog().yesNoMode);
    EXPECT_EQ(QuestBoard().NoticeTitle()->Literal(), FormatUIMessage("QUESTBOARD_ACCEPT_FINISHED", {Name("Q008")}));
    StepFrames(15);
    EXPECT_FLOAT_EQ(QuestBoard().NoticePosition().x, 61.0f);
    EXPECT_FLOAT_EQ(QuestBoard().NoticePosition().y, -51.0f);
    Press(kActionCancel);
    ASSERT_TRUE(StepUntil([&] { return QuestBoard().CurrentPage() == Board::kList; }, 40));
    EXPECT_LE(QuestBoard().NoticePosition().y, -359.0f);
    EXPECT_TRUE(Record(0).IsAccepted(0));
    EXPECT_TRUE(QuestBoard().IsOpen()) << "the notice's cancel closed only the notice";

    // Q007 with two rewards has eight detail lines: the detail pane scrolls a line a step to the last.
    QuestData& feast = *database.GetOrCreateQuestData(TagOf("Q007"));
    feast.rewardItems[0] = {TagOf("I025"), 4};
    feast.rewardItems[1] = {TagOf("I021"), 2};
    LayBoard(0, {"Q007"}, 0);
    ASSERT_TRUE(CloseScreen(kSlotQuestBoard));
    ASSERT_NO_FATAL_FAILURE(OpenBoard());
    EXPECT_EQ(QuestBoard().Window().DetailBar()->Maximum(), 2);
    Press(kActionCursorLeft);
    EXPECT_EQ(QuestBoard().FocusAt(), Board::kFocusDetail);
    for (int i = 0; i < 3; ++i) Press(kActionCursorDown);
    EXPECT_EQ(QuestBoard().Window().DetailBar()->Value(), 2);
    EXPECT_EQ(DetailLine(QuestBoard().Window(), 5), Name("I021"));
    EXPECT_EQ(QuestBoard().Window().Detail().Value(5)->Literal(), u"２");
    Press(kActionCursorUp);
    EXPECT_EQ(QuestBoard().Window().DetailBar()->Value(), 1);
    KeepCanvasPicture("quest_board_detail");

    // Somewhere that is no hideout: an empty board, and cancel still closes it.
    ASSERT_TRUE(CloseScreen(kSlotQuestBoard));
    world->travel->location.reset();
    ASSERT_NO_FATAL_FAILURE(OpenBoard());
    EXPECT_EQ(QuestBoard().Board(), -1);
    EXPECT_EQ(QuestBoard().OfferCount(), 0);
    EXPECT_EQ(std::string(QuestBoard().Window().EmptyLabel()->Key()), "QUESTBOARD_NOQUEST");
    EXPECT_EQ(QuestBoard().Window().Arrow()->Color() >> 24, 0u);
    Press(kActionCancel);
    ASSERT_TRUE(StepUntil([&] { return !QuestBoard().IsOpen(); }, 40));
}

// A taken quest on the board with one day left: its time-left line reads as a count of days, with no "1 days".
// Q001 pays ten water for ten grain. With the grain in a storeroom and the deck full, the water
// would find no place and be lost: the delivery is refused with the market's words for a full deck
// and the error sound, and nothing is taken or paid. With the grain lying on the full deck itself,
// taking it makes the room, and the quest is delivered with its water aboard.
TEST_F(QuestScreensTest, AQuestWhoseRewardFindsNoRoomOnDeckWaitsForRoomAndLosesNothing)
{
    const std::uint32_t grain = TagOf("I020");
    const std::uint32_t water = TagOf("I025");
    StandAt("AD01");
    LayBoard(0, {"Q001"}, 0b1);
    world->fieldObjects->ClearItems();
    GAME_CRoomBase* storeroom = world->ship->PlaceRoom(9, 3, FindRoomIdIndex(MakeTag("ID20")));
    ASSERT_NE(storeroom, nullptr);
    GAME_CInventory* inventory = FindRoomInventory(storeroom);
    ASSERT_NE(inventory, nullptr);
    for (int i = 0; i < 10; ++i) ASSERT_TRUE(inventory->AddItem(grain));
    ASSERT_NO_FATAL_FAILURE(OpenBoard());
    // The board holds the game: nobody clears the deck while it fills with scrap iron.
    while (world->fieldObjects->CountFreeItemPlaces() > 0) ASSERT_EQ(DropItemStacks(TagOf("I001"), 1, 0, 0), 0);
    ASSERT_FALSE(QuestBoard().DeliveryButton()->IsDisabled());
    const std::int64_t money = GetPlayerData()->money;

    Press(kActionDecide);
    ASSERT_TRUE(StepUntil([&] { return QuestBoard().CurrentPage() == Board::kNoRoomForReward; }, 15));
    EXPECT_TRUE(Heard(kSeUIError, 15));
    EXPECT_EQ(Dialog().Message(), GetMessageTextExpanded("MARKET_BUY_DISABLE_GRID"));
    ASSERT_NO_FATAL_FAILURE(CloseMessage());
    EXPECT_EQ(QuestBoard().CurrentPage(), Board::kList);
    EXPECT_TRUE(Record(0).IsAccepted(0));
    EXPECT_EQ(GetPlayerData()->money, money);
    EXPECT_EQ(CountStoredItem(grain), 10);

    // The grain moves from the storeroom to the deck, in the place of a stack of scrap iron.
    for (int i = 0; i < 10; ++i) ASSERT_TRUE(inventory->TakeItem(grain));
    world->fieldObjects->items.front()->dead = 1;
    world->fieldObjects->RemoveDeadItems();
    ASSERT_EQ(DropItemStacks(grain, 10, 0, 0), 0);
    ASSERT_EQ(world->fieldObjects->CountFreeItemPlaces(), 0);
    Press(kActionDecide);
    ASSERT_TRUE(StepUntil([&] { return QuestBoard().CurrentPage() == Board::kAskDelivery; }, 15));
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
    StepFrames(2);
    EXPECT_EQ(GetPlayerData()->money, money + 300);
    EXPECT_TRUE(Record(0).IsEmpty(0));
    EXPECT_EQ(CountFieldItem(grain), 0);
    EXPECT_EQ(CountFieldItem(water), 10);
    ASSERT_NO_FATAL_FAILURE(CloseMessage());
}

TEST_F(QuestScreensTest, ATakenQuestWithOneDayLeftReadsAsACount)
{
    GetStaticDatabase()->GetOrCreateHideoutData(TagOf("AD01"))->offerCount = 32;
    StandAt("AD01");
    LayBoard(0, {"Q001"}, 0b1);
    QuestBoardWriter(GetWorkingSlot(), 0).SetValue(0, 1);
    ASSERT_NO_FATAL_FAILURE(OpenBoard());
    const UIInfoPanel& detail = QuestBoard().Window().Detail();
    ASSERT_NE(detail.Value(0), nullptr);
    const std::u16string line = DetailLine(QuestBoard().Window(), 0) + u" " + std::u16string(detail.Value(0)->Literal());
    EXPECT_NE(line.find(u"１"), std::u16string::npos);
    EXPECT_EQ(line.find(u"１ days"), std::u16string::npos);
}

// A click on the first offer as the board comes up only selects it, however soon it comes; so does a
// click right after the board opens again, though a row was clicked just before it closed. Two
// quick clicks still ask.
TEST_F(QuestScreensTest, TheFirstClickOnABoardJustOpenedIsNoDoubleClick)
{
    GetStaticDatabase()->GetOrCreateHideoutData(TagOf("AD01"))->offerCount = 32;
    StandAt("AD01");
    LayBoard(0, {"Q001", "Q002"}, 0);
    ASSERT_NO_FATAL_FAILURE(OpenBoard());
    ClickAt(388, 110);
    StepFrames(3);
    EXPECT_EQ(QuestBoard().CurrentPage(), Board::kList);
    EXPECT_EQ(QuestBoard().List().Index(), 0);

    ClickAt(388, 128);
    StepFrames(2);
    ASSERT_EQ(QuestBoard().List().Index(), 1);
    ASSERT_TRUE(CloseScreen(kSlotQuestBoard));
    ASSERT_NO_FATAL_FAILURE(OpenBoard());
    ClickAt(388, 110);
    StepFrames(3);
    EXPECT_EQ(QuestBoard().CurrentPage(), Board::kList);

    DoubleClickRow(0);
    EXPECT_EQ(QuestBoard().CurrentPage(), Board::kAskAccept);
}

// The current quests list the taken quests of boards 0 and 3 in board, then slot order, each with
// the town it was taken in and the days it has left; seven wrap
// both ways; retiring row 3 of five leaves four with the cursor on the first; a quest of two needs,
// two rewards and money scrolls to 3; with none taken the list says so and the arrows are silent.
// Opened from the HUD it slides in from above and closes to the HUD, else to the pause menu.
TEST_F(QuestScreensTest, TheCurrentQuestsListWrapRetireAndCloseToWhereTheyCameFrom)
{
    LayBoard(0, {"Q001", "Q002", "Q004"}, 0b101);
    LayBoard(1, {"Q003"}, 0);
    LayBoard(3, {"Q005", "Q006"}, 0b11);
    UI().SetOpen(kSlotCurrentQuest, true);
    Current().openedFromHud = 1;
    StepFrames(2);
    EXPECT_LT(Current().Root()->GetPosition()->y, 0.0f);
    ASSERT_TRUE(StepUntil([&] { return Current().State() == UIScreenState::kMain; }, 40));
    const auto& entries = Current().Entries();
    ASSERT_EQ(entries.size(), 4u);
    EXPECT_EQ(entries[0].questId, TagOf("Q001"));
    EXPECT_EQ(entries[1].questId, TagOf("Q004"));
    EXPECT_EQ(entries[1].slot, 2);
    EXPECT_EQ(entries[2].questId, TagOf("Q005"));
    EXPECT_EQ(entries[2].board, 3);
    EXPECT_EQ(entries[3].questId, TagOf("Q006"));
    EXPECT_EQ(DetailLine(Current().Window(), 0), FormatUIMessage("QUESTBOARD_ACCEPT_AJITO", {Name("AD01")}));
    // Q001 runs five days, three of them left: the line says it is the time left.
    EXPECT_EQ(DetailLine(Current().Window(), 1), GetMessageTextExpanded("CURRENT_QUEST_UI_REMAIN_DAYS"));
    EXPECT_EQ(Current().Window().Detail().Value(1)->Literal(), FormatUIMessage("QUESTBOARD_RESET_DAYS", {UIFullWidthNumber(3)}));
    Press(kActionCancel);
    StepFrames(6);
    EXPECT_LT(Current().Root()->GetPosition()->y, 0.0f) << "back up towards the HUD";
    ASSERT_TRUE(StepUntil([&] { return !Current().IsOpen(); }, 40));
    EXPECT_TRUE(UI().IsOpen(kSlotCommon));
    EXPECT_FALSE(UI().IsOpen(kSlotPause));

    // Seven: the bar's maximum 1; up on the first gives the last at row 5, down there the first.
    LayBoard(0, {"Q001", "Q002", "Q003", "Q004", "Q005", "Q006", "Q007"}, 0x7F);
    LayBoard(3, {}, 0);
    UI().SetOpen(kSlotCurrentQuest, true);
    ASSERT_TRUE(StepUntil([&] { return Current().State() == UIScreenState::kMain; }, 40));
    EXPECT_EQ(Current().Window().ListBar()->Maximum(), 1);
    Press(kActionCursorUp);
    EXPECT_EQ(Current().List().top, 1);
    EXPECT_EQ(Current().List().cursor, 5);
    Press(kActionCursorDown);
    EXPECT_EQ(Current().List().Index(), 0);

    // Q007 with two rewards and its money: nine detail lines, the detail bar's maximum 3.
    QuestData& feast = *GetStaticDatabase()->GetOrCreateQuestData(TagOf("Q007"));
    feast.rewardItems[0] = {TagOf("I025"), 4};
    feast.rewardItems[1] = {TagOf("I021"), 2};
    Press(kActionCursorUp);
    EXPECT_EQ(Current().Entries()[static_cast<std::size_t>(Current().List().Index())].questId, TagOf("Q007"));
    EXPECT_EQ(Current().Window().DetailBar()->Maximum(), 3);
    KeepCanvasPicture("current_quests");
    ASSERT_TRUE(CloseScreen(kSlotCurrentQuest));

    // Five taken, row 3 given up: the thud, four left, the cursor on the first.
    GetStaticDatabase()->GetOrCreateHideoutData(TagOf("AD01"))->offerCount = 32;
    LayBoard(0, {"Q001", "Q002", "Q003", "Q004", "Q005"}, 0x1F);
    UI().SetOpen(kSlotCurrentQuest, true);
    ASSERT_TRUE(StepUntil([&] { return Current().State() == UIScreenState::kMain; }, 40));
    for (int i = 0; i < 3; ++i) Press(kActionCursorDown);
    ASSERT_EQ(Current().List().cursor, 3);
    Press(kActionMenuFunctionB);
    ASSERT_TRUE(StepUntil([&] { return Current().CurrentPage() == Quests::kAskRetire; }, 15));
    EXPECT_EQ(Dialog().Message(), FormatUIMessage("QUESTBOARD_RETIRE_YESNO", {Name("Q004")}));
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
    StepFrames(2);
    EXPECT_TRUE(Heard(61));
    EXPECT_EQ(Record(0).Id(3), TagOf("Q005"));
    ASSERT_NO_FATAL_FAILURE(CloseMessage());
    EXPECT_EQ(Current().Entries().size(), 4u);
    EXPECT_EQ(Current().List().Index(), 0);
    EXPECT_EQ(Current().CurrentPage(), Quests::kBrowse);

    // None taken: the list says so, the arrows are silent; closed from the pause menu's side, it opens it.
    ASSERT_TRUE(CloseScreen(kSlotCurrentQuest));
    LayBoard(0, {"Q001"}, 0);
    UI().SetOpen(kSlotCurrentQuest, true);
    ASSERT_TRUE(StepUntil([&] { return Current().State() == UIScreenState::kMain; }, 40));
    EXPECT_EQ(std::string(Current().Window().EmptyLabel()->Key()), "CURRENT_QUEST_UI_NO_ACCEPT");
    Press(kActionCursorDown);
    EXPECT_FALSE(Heard(kSeUICursor));
    EXPECT_TRUE(Current().RetireButton()->IsDisabled());
    Press(kActionCancel);
    StepFrames(6);
    EXPECT_GT(Current().Root()->GetPosition()->x, 0.0f) << "out to the right towards the pause menu";
    ASSERT_TRUE(StepUntil([&] { return UI().IsOpen(kSlotPause); }, 40));
}

// A damaged save may hold taken quests on a board past the hideouts. Giving one of them up takes
// that quest alone: the board's other quests stay taken and the boards of the hideouts are untouched.
TEST_F(QuestScreensTest, GivingUpAQuestOnABoardPastTheHideoutsTakesThatQuestAlone)
{
    const int stray = CountUsedOfferSets();
    ASSERT_LT(stray, 40);
    LayBoard(0, {"Q001", "Q002"}, 0b01);
    LayBoard(stray, {"Q003", "Q004", "Q005"}, 0b111);
    support::LogCapture log;
    UI().SetOpen(kSlotCurrentQuest, true);
    ASSERT_TRUE(StepUntil([&] { return Current().State() == UIScreenState::kMain; }, 40));
    ASSERT_EQ(Current().Entries().size(), 4u);
    Press(kActionCursorDown);
    Press(kActionCursorDown);
    ASSERT_EQ(Current().Entries()[static_cast<std::size_t>(Current().List().Index())].questId, TagOf("Q004"));
    Press(kActionMenuFunctionB);
    ASSERT_TRUE(StepUntil([&] { return Current().CurrentPage() == Quests::kAskRetire; }, 15));
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
    StepFrames(2);

    EXPECT_EQ(Record(stray).Id(0), TagOf("Q003"));
    EXPECT_EQ(Record(stray).Id(1), TagOf("Q005"));
    EXPECT_TRUE(Record(stray).IsEmpty(2));
    EXPECT_EQ(Record(stray).Mask(), 0b11u);
    EXPECT_EQ(Record(0).Id(0), TagOf("Q001"));
    EXPECT_EQ(Record(0).Id(1), TagOf("Q002"));
    EXPECT_EQ(Record(0).Mask(), 0b01u);
    EXPECT_TRUE(log.Contains("offer set " + std::to_string(stray))) << "the damaged board is named in the log";
    ASSERT_NO_FATAL_FAILURE(CloseMessage());
    EXPECT_EQ(Current().Entries().size(), 3u);
}

// The wheel scrolls what the pointer stands over: over the list of seven its rows, over the detail
// pane the lines of a quest with rewards to spare, elsewhere neither; on the board likewise.
TEST_F(QuestScreensTest, TheCurrentQuestsWheelScrollsThePartUnderThePointer)
{
    LayBoard(0, {"Q001", "Q002", "Q003", "Q004", "Q005", "Q006", "Q007"}, 0x7F);
    QuestData& first = *GetStaticDatabase()->GetOrCreateQuestData(TagOf("Q001"));
    first.rewardItems[0] = {TagOf("I025"), 4};
    first.rewardItems[1] = {TagOf("I021"), 2};
    UI().SetOpen(kSlotCurrentQuest, true);
    ASSERT_TRUE(StepUntil([&] { return Current().State() == UIScreenState::kMain; }, 40));
    const GAME_CUIScrollBarObject& listBar = *Current().Window().ListBar();
    const GAME_CUIScrollBarObject& detailBar = *Current().Window().DetailBar();
    ASSERT_EQ(listBar.Maximum(), 1);
    ASSERT_GE(detailBar.Maximum(), 1);

    PointerMove(400, 180);
    Wheel(-1);
    StepFrames(2);
    EXPECT_EQ(listBar.Value(), 1);
    EXPECT_EQ(Current().List().top, 1);
    EXPECT_EQ(detailBar.Value(), 0);

    Wheel(1);
    StepFrames(2);
    ASSERT_EQ(Current().List().Index(), 0);
    PointerMove(200, 250);
    Wheel(-1);
    StepFrames(2);
    EXPECT_EQ(detailBar.Value(), 1);
    EXPECT_EQ(listBar.Value(), 0);

    PointerMove(600, 330);
    Wheel(-1);
    StepFrames(2);
    EXPECT_EQ(detailBar.Value(), 1);
    EXPECT_EQ(listBar.Value(), 0);
    EXPECT_FALSE(Heard(kSeUICursor, 2));
    ASSERT_TRUE(CloseScreen(kSlotCurrentQuest));

    // The board stands in the same window: the wheel over its seven offers scrolls them.
    GetStaticDatabase()->GetOrCreateHideoutData(TagOf("AD01"))->offerCount = 32;
    StandAt("AD01");
    LayBoard(0, {"Q001", "Q002", "Q003", "Q004", "Q005", "Q006", "Q007"}, 0);
    ASSERT_NO_FATAL_FAILURE(OpenBoard());
    ASSERT_EQ(QuestBoard().Window().ListBar()->Maximum(), 1);
    PointerMove(400, 180);
    Wheel(-1);
    StepFrames(2);
    EXPECT_EQ(QuestBoard().Window().ListBar()->Value(), 1);
    EXPECT_EQ(QuestBoard().Window().DetailBar()->Value(), 0);
}

// In every language every quest's description keeps to the detail pane's three lines, each within
// the rule under the pane's heading, clear of the quest list's cursor.
TEST_F(QuestScreensTest, EveryQuestDescriptionFitsTheDetailPaneInEveryLanguage)
{
    // The rule starts six units left of the text.
    const float textRoom = UISpriteSize(FindUISprite("ui_separator_left_strong3")).x - 6.0f;
    for (std::uint32_t language = 0; language < kLanguageCount; ++language) {
        ChooseLanguage(language);
        const std::string_view file = GetMessageFileForLanguage(language);
        for (const auto& quest : GetStaticDatabase()->Quests()) {
            const std::string key = TagText(quest.first) + "_DISCRIPT";
            const std::vector<std::u16string> lines = SplitTextLines(GetMessageTextExpanded(key), {.ends = TextLineEnds::kEveryBreak});
            EXPECT_LE(lines.size(), 3u) << file << ": " << key;
            for (const std::u16string& line : lines) {
                EXPECT_LE(MeasureUIText(line), textRoom) << file << ": " << key << ", line " << (&line - lines.data()) + 1;
            }
        }
    }
}

TEST(QuestScreenTexts, EveryKeyTheQuestScreensShowIsInEveryLanguage)
{
    const char* keys[] = {"QUESTBOARD_BUTTON_ACCEPT", "QUESTBOARD_BUTTON_DELIVERY", "QUESTBOARD_BUTTON_RETIRE",
                          "QUESTBOARD_ACCEPT_YESNO", "QUESTBOARD_DELIVERY_YESNO", "QUESTBOARD_RETIRE_YESNO",
                          "QUESTBOARD_ACCEPT_FINISHED", "QUESTBOARD_DELIVERY_FINISHED", "QUESTBOARD_RETIRE_FINISHED",
                          "QUESTBOARD_ACCEPT_OVER", "QUESTBOARD_DATA_NOT_FOUND", "QUESTBOARD_NOQUEST", "QUESTBOARD_LIMITS",
                          "QUESTBOARD_LIMITS_DAYS", "QUESTBOARD_LIMITS_DAYS_UNLIMITED", "QUESTBOARD_RESET_DAYS",
                          "QUESTBOARD_NEEDITEM", "QUESTBOARD_REWARD", "QUESTBOARD_ACCEPT_AJITO", "QUESTBOARD_TYPE_NAME0",
                          "CURRENT_QUEST_UI_NAME", "CURRENT_QUEST_UI_NO_ACCEPT", "CURRENT_QUEST_UI_REMAIN_DAYS"};
    for (const char* language : {"japanese", "english", "korean", "traditionalChinese", "simplifiedChinese"}) {
        const std::set<std::string> present = support::MessageKeys(language);
        for (const char* key : keys) EXPECT_TRUE(present.contains(key)) << key << " in " << language;
    }
}

}  // namespace
