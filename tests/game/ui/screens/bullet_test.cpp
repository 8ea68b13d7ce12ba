// The ammunition screen: reloading a weapon room, cancelling the reload, the shared task page and the room skips.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "game/model/stores/ammo_storage.h"
#include "game/services/data/room_records.h"
#include "game/services/data/static_database.h"
#include "game/model/stores/stored_items.h"
#include "game/services/input/input_actions.h"
#include "game/services/text/language.h"
#include "game/model/world/camera2d.h"
#include "game/model/ship/task_manager.h"
#include "game/ui/actor_list_panel.h"
#include "game/ui/room_task_tab.h"
#include "game/ui/screens/ui_bullet.h"
#include "game/ui/screens/ui_dining_hall.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_text.h"
#include "game/ui/widgets/ui_scroll_bar_object.h"
#include "tests/game/ui/screens/room_screen_test_base.h"

namespace {

constexpr std::uint32_t kShell = MakeTag("I041");
constexpr std::uint32_t kBomb = MakeTag("I096");

class BulletTest : public support::RoomScreenTest {
protected:
    GAME_CUIBullet& Screen() const { return *UI().Get<GAME_CUIBullet>(); }
    GAME_CAmmo& StoreOf(const GAME_CRoomBase& room) const { return *FindAmmoStorage(IndexOf(room)); }
    std::int32_t Reloads(const GAME_CRoomBase& room) const { return world->tasks->CountReloadTasksOfRoom(IndexOf(room)); }

    // A key press and the frames its answer takes.
    void Press(int action, int frames = 2)
    {
        PressAction(action);
        StepFrames(frames);
    }

    // A cannon with eight upgrades installed, more than its information shows at once.
    GAME_CRoomBase& PlaceUpgradedCannon()
    {
        GAME_CRoomBase& cannon = Place("ID16", 4, 3);
        data_ = *cannon.roomData;
        for (int n = 0; n < 8; ++n) {
            data_.upgrades[static_cast<std::size_t>(n)].type = n;
            data_.upgrades[static_cast<std::size_t>(n)].nameKey = "TU0" + std::to_string(n + 3);
        }
        cannon.roomData = &data_;
        cannon.installedUpgrades = 0xFF;
        return cannon;
    }

    // The room's screen opened on its task page, with six members bound: more than the crew panel's
    // two rows show at once.
    void OpenTaskPageWithSixCrew(GAME_CRoomBase& cannon)
    {
        for (int n = 0; n < 6; ++n) {
            GAME_CObjectActor* member = AddCrewMember();
            ASSERT_NE(member, nullptr);
            cannon.assignedCrew.push_back(member);
        }
        cannon.rememberedTab = GAME_CUIBullet::kTaskPageState;
        OpenScreenOf(cannon);
        ASSERT_EQ(Screen().TabState(), GAME_CUIBullet::kTaskPageState);
    }

private:
    RoomData data_;
};

// Reloading another kind asks first and drops the loaded rounds; the loaded kind with a full store
// needs nothing; the cancel row shows while a reload is pending and empties the store.
TEST_F(BulletTest, AReloadOfAnotherKindIsAskedForAndCanBeCancelled)
{
    GAME_CRoomBase& cannon = Place("ID16", 4, 3);
    GAME_CAmmo& store = StoreOf(cannon);
    store.SetAmmoId(&kShell);
    while (store.GetCount() < store.GetCapacity()) store.AddOne();
    const std::int32_t full = store.GetCount();
    ASSERT_GT(full, 0);
    OpenScreenOf(cannon);
    ASSERT_EQ(Screen().State(), UIScreenState::kMain);
    EXPECT_EQ(Screen().RowLabel(0)->Key(), std::string("I041"));
    EXPECT_EQ(Screen().RowLabel(1)->Key(), std::string("I096"));
    EXPECT_EQ(Screen().LoadedMarker()->Parent(), Screen().RowLabel(0));
    EXPECT_EQ(Screen().StockLabel()->Literal(), UIFullWidthNumber(full) + u"／" + UIFullWidthNumber(full));
    EXPECT_EQ(Screen().RowLabel(2)->Key(), std::string("")) << "no cancel row without a pending reload";

    // The loaded kind, full: nothing at all.
    std::size_t from = frames.size();
    Press(kActionDecide);
    EXPECT_EQ(Screen().TabState(), 0);
    EXPECT_FALSE(Dialog().IsVisible());
    EXPECT_TRUE(frames.back().soundEffects.empty() && frames[from].soundEffects.empty());

    // Another kind: the question, its cursor on no.
    Press(kActionCursorDown);
    EXPECT_EQ(Screen().CursorRow(), 1);
    Press(kActionDecide);
    ASSERT_EQ(Screen().TabState(), 1);
    EXPECT_EQ(Dialog().Message(), FormatUIMessage("BULLETUI_SELECT_RELOAD_YESNO", {UITagName(kBomb)}));
    EXPECT_EQ(Dialog().cursorIndex, 1);
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
    StepFrames(2);
    EXPECT_EQ(Screen().TabState(), 2);
    EXPECT_EQ(*store.GetAmmoId(), kBomb);
    EXPECT_EQ(store.GetCount(), 0);
    EXPECT_EQ(CountFieldItem(kShell), full) << "the shells lie near the room";
    EXPECT_EQ(Reloads(cannon), 1);
    EXPECT_EQ(Dialog().Message(), FormatUIMessage("BULLETUI_SELECT_RELOAD_START", {UITagName(kBomb)}));
    ASSERT_TRUE(CloseMessage());
    ASSERT_TRUE(StepUntil([&] { return Screen().TabState() == 0; }, 5));
    StepFrames(1);

    // The cancel row follows the kinds while the reload is pending.
    EXPECT_EQ(GetMessageTextExpanded(Screen().RowLabel(2)->Key()), GetMessageTextExpanded("BULLETUI_RELOAD_CANCEL"));
    Press(kActionCursorDown);
    ASSERT_EQ(Screen().CursorRow(), 2);
    Press(kActionDecide);
    ASSERT_EQ(Screen().TabState(), 3);
    EXPECT_EQ(Dialog().Message(), FormatUIMessage("BULLETUI_RELOAD_CANCEL_YESNO", {UITagName(kBomb)}));
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
    StepFrames(2);
    EXPECT_EQ(Screen().TabState(), 4);
    EXPECT_EQ(*store.GetAmmoId(), kNoId);
    EXPECT_EQ(store.GetCount(), 0);
    EXPECT_EQ(Reloads(cannon), 0);
    ASSERT_TRUE(CloseMessage());
    ASSERT_TRUE(StepUntil([&] { return Screen().TabState() == 0; }, 5));
    StepFrames(1);
    EXPECT_EQ(Screen().CursorRow(), 0);
    EXPECT_EQ(Screen().RowLabel(2)->Key(), std::string(""));

    // A reload that ends between the decide on the cancel row and its question leaves nothing to
    // ask about: back to the list, no dialog.
    ASSERT_NE(GAME_CTaskBase::CreateFromRequest(MakeReloadRequest(IndexOf(cannon), kShell)), nullptr);
    StepFrames(1);
    Press(kActionCursorDown);
    Press(kActionCursorDown);
    ASSERT_EQ(Screen().CursorRow(), 2);
    PressAction(kActionDecide);
    StepFrames(1);
    world->tasks->FinishReloadTasksOfRoom(IndexOf(cannon));
    world->tasks->PurgeFinishedTasks();
    StepFrames(3);
    EXPECT_EQ(Screen().TabState(), 0);
    EXPECT_FALSE(Dialog().IsVisible());
}

// The game goes on under the window: a reload ordered elsewhere brings the cancel row without a key,
// and a reload the crew finishes takes it away, a cursor that stood on it going to the last kind.
TEST_F(BulletTest, TheCancelRowFollowsAReloadThatBeginsOrEndsWhileTheListShows)
{
    GAME_CRoomBase& cannon = Place("ID16", 4, 3);
    OpenScreenOf(cannon);
    ASSERT_EQ(Screen().State(), UIScreenState::kMain);
    ASSERT_EQ(Screen().RowLabel(2)->Key(), std::string(""));

    ASSERT_NE(GAME_CTaskBase::CreateFromRequest(MakeReloadRequest(IndexOf(cannon), kBomb)), nullptr);
    StepFrames(2);
    EXPECT_EQ(GetMessageTextExpanded(Screen().RowLabel(2)->Key()), GetMessageTextExpanded("BULLETUI_RELOAD_CANCEL"));
    Press(kActionCursorDown);
    Press(kActionCursorDown);
    ASSERT_EQ(Screen().CursorRow(), 2);

    world->tasks->FinishReloadTasksOfRoom(IndexOf(cannon));
    world->tasks->PurgeFinishedTasks();
    StepFrames(2);
    EXPECT_EQ(Screen().RowLabel(2)->Key(), std::string(""));
    EXPECT_EQ(Screen().CursorRow(), 1);
    EXPECT_FALSE(Screen().FigureLabel(0)->Literal().empty()) << "the bomb's figures show";
}

// The task page: the room's upgrades below its durability, the focus places, and the tab a room
// remembers.
TEST_F(BulletTest, TheTaskPageListsUpgradesAndMovesItsCursorBetweenItsPlaces)
{
    GAME_CRoomBase& cannon = PlaceUpgradedCannon();
    cannon.rememberedTab = GAME_CUIBullet::kTaskPageState;
    OpenScreenOf(cannon);
    ASSERT_EQ(Screen().TabState(), GAME_CUIBullet::kTaskPageState);
    GAME_CUIRoomTaskTab& tab = Screen().TaskTab();
    EXPECT_EQ(tab.LineCount(), 9);
    EXPECT_EQ(tab.ScrollBar()->Maximum(), 3);
    EXPECT_EQ(tab.DisplayLabel(0)->Literal(), GetMessageTextExpanded("SHIP_STATUS_HP"));
    EXPECT_EQ(tab.GaugeFill()->Color() >> 24, 0xFFu);

    // Down from the add-task row (the first row of a room without tasks) to the task tab's button,
    // and up back to it.
    ASSERT_EQ(tab.Focus(), kTaskFocusRows);
    ASSERT_EQ(tab.Controller()->CountSetFlags(), 0u);
    Press(kActionCursorDown);
    EXPECT_EQ(tab.Focus(), kTaskFocusTaskTab);
    EXPECT_FALSE(tab.Controller()->focused);
    Press(kActionCursorUp);
    EXPECT_EQ(tab.Focus(), kTaskFocusRows);
    EXPECT_TRUE(tab.Controller()->focused);
    EXPECT_EQ(tab.Controller()->Cursor(), tab.Controller()->CountSetFlags());

    // Left to the crew panel, up to the scroll bar at its bottom, then up twice: at value 1 the first
    // upgrade stands in the first line, without the gauge.
    Press(kActionCursorLeft);
    EXPECT_EQ(tab.Focus(), kTaskFocusCrew);
    Press(kActionCursorUp);
    EXPECT_EQ(tab.Focus(), kTaskFocusScrollBar);
    EXPECT_EQ(tab.ScrollBar()->Value(), 3);
    Press(kActionCursorUp);
    Press(kActionCursorUp, 1);
    EXPECT_TRUE(Played(kSeUICursor));
    ASSERT_EQ(tab.ScrollBar()->Value(), 1);
    ExpectUpgradesOnTop(tab, "TU03", "TU04");
    // Left to the left skip button, and right back to the scroll bar.
    Press(kActionCursorLeft);
    EXPECT_EQ(tab.Focus(), kTaskFocusSkipLeft);
    Press(kActionCursorRight);
    EXPECT_EQ(tab.Focus(), kTaskFocusScrollBar);

    // The bullet tab's button switches pages and the room remembers it.
    PressAction(kActionMenuTabLeft);
    ASSERT_TRUE(StepUntil([&] { return Screen().TabState() == 0; }, 20));
    EXPECT_EQ(cannon.rememberedTab, 0);
    ASSERT_TRUE(CloseScreen(kSlotBullet));
    OpenScreenOf(cannon);
    EXPECT_EQ(Screen().TabState(), 0);
    EXPECT_EQ(tab.Focus(), kTaskFocusScrollBar) << "the focus survives closing";
}

// The wheel scrolls the part of the task page the pointer stands over: over the information its
// upgrades, over the crew panel its rows (focused or not), over the task rows neither.
TEST_F(BulletTest, TheTaskPagesWheelScrollsThePartUnderThePointer)
{
    GAME_CRoomBase& cannon = PlaceUpgradedCannon();
    ASSERT_NO_FATAL_FAILURE(OpenTaskPageWithSixCrew(cannon));
    GAME_CUIRoomTaskTab& tab = Screen().TaskTab();
    const GAME_CUIScrollBarObject& information = *tab.ScrollBar();
    const GAME_CUIScrollBarObject& crewRows = *tab.Controller()->Panel()->ScrollBar();
    ASSERT_EQ(information.Maximum(), 3);
    ASSERT_EQ(crewRows.Maximum(), 1);
    ASSERT_FALSE(tab.Controller()->Panel()->focused);

    PointerMove(200, 150);
    Wheel(-1);
    StepFrames(2);
    EXPECT_EQ(information.Value(), 1);
    EXPECT_EQ(crewRows.Value(), 0);
    EXPECT_EQ(tab.DisplayLabel(0)->Key(), std::string("TU03"));

    PointerMove(200, 235);
    Wheel(-1);
    StepFrames(2);
    EXPECT_EQ(information.Value(), 1);
    EXPECT_EQ(crewRows.Value(), 1);

    PointerMove(450, 150);
    Wheel(-1);
    StepFrames(2);
    EXPECT_EQ(information.Value(), 1);
    EXPECT_EQ(crewRows.Value(), 1);
}

// A click on the crew panel counts for the member drawn under it, all along its cell: on the right
// end of a member's meters it picks that member, not its neighbour, nor nothing. The panel's scroll
// bar slides away with the page.
TEST_F(BulletTest, TheCrewPanelsClicksFindTheMemberDrawnThereAndItsBarSlidesWithThePage)
{
    GAME_CRoomBase& cannon = Place("ID16", 4, 3);
    ASSERT_NO_FATAL_FAILURE(OpenTaskPageWithSixCrew(cannon));
    const GAME_CUIActorListPanel& panel = *Screen().TaskTab().Controller()->Panel();
    // Each shown member's meters, in the order of the cells.
    const auto meters = [&] {
        std::vector<support::RecordedSpriteDraw> shown;
        const std::int32_t sprite = FindUISprite("ui_icon_stamina_calorie2");
        for (const support::RecordedSpriteDraw& draw : frames.back().sprites) {
            if (draw.group == kUISpriteGroup && draw.ref == sprite) shown.push_back(draw);
        }
        return shown;
    };
    const std::vector<support::RecordedSpriteDraw> atRest = meters();
    ASSERT_EQ(atRest.size(), 4u);
    const vesk::math::Vec2 meterSize = UISpriteSize(FindUISprite("ui_icon_stamina_calorie2"));
    const auto clickOnMetersEnd = [&](std::size_t cell) {
        ClickAt(static_cast<int>(atRest[cell].x + meterSize.x) - 2, static_cast<int>(atRest[cell].y + meterSize.y * 0.5f));
        StepFrames(2);
    };

    clickOnMetersEnd(1);
    EXPECT_TRUE(panel.focused) << "the right-hand member's meters take the click";
    EXPECT_EQ(panel.Cursor(), 1u);
    clickOnMetersEnd(0);
    EXPECT_EQ(panel.Cursor(), 0u) << "the left-hand member's meters pick that member";
    clickOnMetersEnd(3);
    EXPECT_EQ(panel.Cursor(), 3u);

    const vesk::math::Vec2 barAtRest = *panel.ScrollBar()->GetPosition();
    ASSERT_TRUE(panel.ScrollBar()->IsVisible());
    UI().SetOpen(kSlotBullet, false);
    StepFrames(6);
    const std::vector<support::RecordedSpriteDraw> sliding = meters();
    ASSERT_FALSE(sliding.empty());
    const float moved = sliding[0].y - atRest[0].y;
    ASSERT_LT(moved, -10.0f) << "the page slides up";
    EXPECT_FLOAT_EQ(panel.ScrollBar()->GetPosition()->y, barAtRest.y + moved);
}

// The skip buttons close the screen and then open the next room's, with the camera on it; the room
// crew screen hides the screen at once.
TEST_F(BulletTest, SkippingOpensTheNextRoomsScreenAndTheCrewScreenHidesIt)
{
    GAME_CRoomBase& kitchen = Place("ID04", 0, 3);
    GAME_CRoomBase& cannon = Place("ID16", 4, 3);
    OpenScreenOf(cannon);
    EXPECT_TRUE(DrewKey("BULLETUI_TAB_BULLET"));

    UI().SetOpen(kSlotRoomActorInfo, true);
    StepFrames(1);
    EXPECT_GE(Screen().CoverCounter(), GAME_CUIRoomScreen::kCoverHides);
    EXPECT_FALSE(DrewKey("BULLETUI_TAB_BULLET"));
    ASSERT_TRUE(CloseScreen(kSlotRoomActorInfo));
    StepFrames(1);
    EXPECT_TRUE(DrewKey("BULLETUI_TAB_BULLET"));

    const vesk::math::Vec2 skip = Screen().FirstFrame().skipRight->WorldPosition();
    ClickAt(static_cast<int>(skip.x), static_cast<int>(skip.y));
    ASSERT_TRUE(StepUntil([&] { return !Screen().IsOpen(); }, 40));
    auto* hall = UI().Get<GAME_CUIDiningHall>();
    EXPECT_TRUE(hall->IsOpen());
    EXPECT_EQ(hall->target, &kitchen);
    EXPECT_EQ(world->camera->followedRoom, &kitchen);
    EXPECT_EQ(world->held, 1u) << "the game stays held from one room's screen to the next";
}

// The bullet page's keys beside the list: left and right lead to the skip arrows (the grid cursor),
// the way back to the list; past the last entry the task tab, then the bullet tab; decide on an
// arrow skips to the neighbouring room.
TEST_F(BulletTest, TheKeysReachTheSkipArrowsAndTheTabsFromTheList)
{
    GAME_CRoomBase& kitchen = Place("ID04", 0, 3);
    GAME_CRoomBase& cannon = Place("ID16", 4, 3);
    OpenScreenOf(cannon);
    ASSERT_EQ(Screen().BulletFocus(), 2);
    GAME_CUINullObject* cursor = Screen().FirstFrame().cursorNode;
    const GAME_CUINullObject* sprite = Screen().FirstFrame().cursorSprite;

    // Focus 2 is the list (the cursor on the row of the expected cursor row); elsewhere the cursor
    // stands at the canvas place given. The room offers two kinds.
    struct Step {
        int action;
        std::int32_t focus;
        vesk::math::Vec2 place;
        const char* sprite;
    };
    const Step walk[] = {
        {kActionCursorRight, 5, {602.0f, 182.0f}, "ui_cursor_grid_normal"},
        {kActionCursorLeft, 2, {}, "ui_cursor_common_r90"},
        {kActionCursorLeft, 6, {55.0f, 182.0f}, "ui_cursor_grid_normal"},
        {kActionCursorRight, 2, {}, "ui_cursor_common_r90"},
        {kActionCursorDown, 2, {}, "ui_cursor_common_r90"},
        {kActionCursorDown, 3, {325.0f, 263.0f}, "ui_cursor_common_r90"},
        {kActionCursorLeft, 4, {105.0f, 263.0f}, "ui_cursor_common_r90"},
        // Up from a tab lands on the last entry.
        {kActionCursorUp, 2, {}, "ui_cursor_common_r90"},
        {kActionCursorLeft, 6, {55.0f, 182.0f}, "ui_cursor_grid_normal"},
    };
    for (const Step& step : walk) {
        Press(step.action);
        SCOPED_TRACE(testing::Message() << "action " << step.action << ", focus " << step.focus);
        ASSERT_EQ(Screen().BulletFocus(), step.focus);
        EXPECT_EQ(sprite->Sprite(), FindUISprite(step.sprite));
        if (step.focus == 2) {
            EXPECT_EQ(cursor->Parent(), Screen().RowLabel(Screen().CursorRow()));
        } else {
            EXPECT_EQ(cursor->WorldPosition(), step.place);
        }
    }
    EXPECT_EQ(Screen().CursorRow(), 1);

    Press(kActionDecide);
    ASSERT_TRUE(StepUntil([&] { return !Screen().IsOpen(); }, 40));
    EXPECT_EQ(UI().Get<GAME_CUIDiningHall>()->target, &kitchen);
}

// In every language the reload questions and notices, with the widest ammunition a room accepts, keep
// to the shared dialog.
TEST_F(BulletTest, TheReloadQuestionsAndNoticesFitTheDialogWithTheWidestAmmunitionInEveryLanguage)
{
    std::set<std::uint32_t> ammunition;
    for (const auto& [id, room] : GetStaticDatabase()->Rooms()) ammunition.insert(room->acceptedItems.begin(), room->acceptedItems.end());
    for (std::uint32_t language = 0; language < kLanguageCount; ++language) {
        ChooseLanguage(language);
        const std::string file(GetMessageFileForLanguage(language));
        const std::u16string kind = WidestTagName(ammunition);
        ASSERT_FALSE(kind.empty());
        for (const char* key : {"BULLETUI_SELECT_RELOAD_YESNO", "BULLETUI_SELECT_RELOAD_START", "BULLETUI_RELOAD_CANCEL_YESNO", "BULLETUI_RELOAD_CANCEL_FINISHED"}) {
            ExpectFitsDialog(FormatUIMessage(key, {kind}), file + ": " + key);
        }
    }
}

}  // namespace
