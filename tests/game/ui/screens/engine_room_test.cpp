// The engine room's screen on rooms placed for the test: the room screens' frame on it, and its options and questions.
// With VARNOLIS_UI_PICTURE_DIR=<folder> the test also writes the canvas at its stops as PPM pictures to look at.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "game/services/data/room_records.h"
#include "game/services/text/full_width.h"
#include "game/ui/list_controller.h"
#include "game/ui/screens/ui_add_task.h"
#include "game/ui/screens/ui_engine_room.h"
#include "tests/game/ui/screens/room_screen_test_base.h"

namespace {

using Page = GAME_CUIEngineRoom::Page;

class EngineRoomTest : public support::RoomScreenTest {
protected:
    GAME_CUIEngineRoom& Screen() const { return *UI().Get<GAME_CUIEngineRoom>(); }

    void Press(int action)
    {
        PressAction(action);
        StepFrames(2);
    }

    // The engine room with seven upgrades installed: the three of its kind (the over-limit valve
    // among them) and four more, all of whose over-limit stages count.
    GAME_CRoomBase& PlaceUpgradedEngine()
    {
        GAME_CRoomBase& engine = Place("ID23", 2, 2);
        data_ = *engine.roomData;
        const char* keys[] = {"TU23", "TU24", "TU25", "TU03", "TU04", "TU05", "TU06"};
        for (std::size_t n = 0; n < std::size(keys); ++n) {
            data_.upgrades[n].type = static_cast<std::int32_t>(n);
            data_.upgrades[n].nameKey = keys[n];
        }
        engine.roomData = &data_;
        engine.ApplyUpgradeBits(0x7F);
        return engine;
    }

    bool AnyRoomScreenOpenBut(int slot) const
    {
        for (int other : {kSlotMap, kSlotDiningHall, kSlotBullet, kSlotHospital, kSlotItemCreate, kSlotInventory, kSlotRoomBuilding}) {
            if (other != slot && UI().IsOpen(other)) return true;
        }
        return false;
    }

private:
    RoomData data_;
};

// The frame on the engine room: the information list scrolls over seven upgrades, a close while
// sliding in slides out from where the window rests, and a skip asked for over the add-task window
// closes both and slides on to the next room, the game held all the while.
TEST_F(EngineRoomTest, TheFrameScrollsClosesFromItsRestAndSkipsOverTheAddTaskWindow)
{
    GAME_CRoomBase& engine = PlaceUpgradedEngine();
    Place("ID04", 0, 3);
    engine.rememberedTab = static_cast<std::int32_t>(Page::kTasks);
    OpenScreenOf(engine);
    ASSERT_EQ(Screen().CurrentPage(), Page::kTasks);
    GAME_CUIRoomTaskTab& tab = Screen().TaskTab();
    ASSERT_EQ(tab.ScrollBar()->Maximum(), 2);
    // The upgrade lines stand without icons at the window's (39, 169 + 18k).
    const support::RecordedTextDraw* second = FindTextDraw(GetMessageTextExpanded("TU24"));
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->x, 61.0f + 39.0f);
    EXPECT_EQ(second->y, -51.0f + 169.0f + 18.0f);
    Keep("engine_tasks");

    // From the rows down to the task tab, left to the engine tab and on to the left skip arrow, right
    // to the list, up from its top back to the engine tab and down into it again; then down twice, a
    // cursor sound each.
    const std::pair<int, std::int32_t> walk[] = {{kActionCursorDown, kTaskFocusTaskTab}, {kActionCursorLeft, kTaskFocusOtherTab},
                                                 {kActionCursorLeft, kTaskFocusSkipLeft}, {kActionCursorRight, kTaskFocusScrollBar},
                                                 {kActionCursorUp, kTaskFocusOtherTab},   {kActionCursorDown, kTaskFocusScrollBar}};
    for (const auto& [action, focus] : walk) {
        Press(action);
        ASSERT_EQ(tab.Focus(), focus);
    }
    ASSERT_EQ(tab.ScrollBar()->Value(), 0);
    const std::size_t from = frames.size();
    Press(kActionCursorDown);
    Press(kActionCursorDown);
    EXPECT_EQ(tab.ScrollBar()->Value(), 2);
    EXPECT_EQ(CountPlayed(kSeUICursor, from), 2);
    ExpectUpgradesOnTop(tab, "TU24", "TU25");

    // The over-limit valve offers three options, each keeping its mode: over the limit with the
    // three stages' speed and fuel, connect, stop.
    PressAction(kActionMenuTabChange);
    ASSERT_TRUE(StepUntil([&] { return Screen().CurrentPage() == Page::kEngine; }, 20));
    EXPECT_EQ(engine.rememberedTab, 0);
    EXPECT_EQ(Screen().RowMode(0), kEngineOverLimit);
    EXPECT_EQ(Screen().RowMode(1), kEngineConnected);
    EXPECT_EQ(Screen().RowMode(2), kEngineDisconnected);
    const std::u16string overLimit(Screen().OptionEffect(0)->Literal());
    EXPECT_NE(overLimit.find(ToFullWidthText(u"1.80")), std::u16string::npos) << std::string(overLimit.begin(), overLimit.end());
    EXPECT_NE(overLimit.find(ToFullWidthText(u"360")), std::u16string::npos);
    Keep("engine_overlimit");

    // Closed while sliding in, the window slides out from its rest; a plain close lets the game go
    // and forgets the room.
    ASSERT_TRUE(CloseScreen(kSlotEngineRoom));
    EXPECT_EQ(Screen().target, nullptr);
    EXPECT_EQ(world->held, 0u);
    UI().OpenRoomScreen(&engine, IndexOf(engine));
    StepFrames(3);
    Screen().SetOpen(false);
    StepFrames(1);
    const float eased = 1.0f - (14.0f / 15.0f) * (14.0f / 15.0f);
    EXPECT_NEAR(Screen().FirstFrame().window->GetPosition()->y, -51.0f + (-360.0f + 51.0f) * eased, 0.01f);
    ASSERT_TRUE(StepUntil([&] { return !Screen().IsOpen(); }, 30));

    // A skip over the add-task window: it closes, then the room screen, then the next room's opens.
    engine.rememberedTab = static_cast<std::int32_t>(Page::kTasks);
    OpenScreenOf(engine);
    const vesk::math::Vec2 button = *tab.Controller()->AddTaskButton()->GetPosition();
    ClickAt(static_cast<int>(button.x), static_cast<int>(button.y));
    ASSERT_TRUE(StepUntil([&] { return UI().IsOpen(kSlotAddTask); }, 20));
    StepFrames(20);
    // The add-task window's right skip arrow, in its side window beside the window's right edge.
    ClickAt(61 + 502 + 10 + 17, -51 + 174 + 6 + 30);
    bool addTaskClosedFirst = false;
    bool heldThroughout = true;
    ASSERT_TRUE(StepUntil([&] {
        heldThroughout = heldThroughout && world->held != 0;
        if (!UI().IsOpen(kSlotAddTask) && Screen().IsOpen() && !AnyRoomScreenOpenBut(kSlotEngineRoom)) addTaskClosedFirst = true;
        return !Screen().IsOpen() && AnyRoomScreenOpenBut(kSlotEngineRoom);
    }, 90));
    EXPECT_TRUE(addTaskClosedFirst);
    EXPECT_TRUE(heldThroughout);
    StepFrames(20);
    EXPECT_NE(world->held, 0u);
}

// With the keys alone: on a room without tasks the task tab's cursor rests on the add-task button,
// and decide presses it as a click would.
TEST_F(EngineRoomTest, DecideOnTheAddTaskButtonOpensTheAddTaskWindow)
{
    GAME_CRoomBase& engine = Place("ID23", 2, 2);
    engine.rememberedTab = static_cast<std::int32_t>(Page::kTasks);
    OpenScreenOf(engine);
    ASSERT_EQ(Screen().CurrentPage(), Page::kTasks);
    const GAME_CUIListController& controller = *Screen().TaskTab().Controller();
    ASSERT_TRUE(controller.focused);
    ASSERT_EQ(controller.Cursor(), 0u);

    PressAction(kActionDecide);
    ASSERT_TRUE(StepUntil([&] { return UI().IsOpen(kSlotAddTask); }, 20));
    EXPECT_EQ(UI().Get<GAME_CUIAddTask>()->target, &engine);
}

// The engine page's options: the cursor goes round the rows and leaves them downwards for the engine
// tab; a press on a row moves the cursor there and a second chooses; the option of the room's own
// mode asks nothing; a no changes nothing; a yes changes the mode in the next frame and swings the
// lever while the page is deaf.
TEST_F(EngineRoomTest, TheOptionsAskBeforeTheModeChangesAndTheLeverSwingsToIt)
{
    GAME_CRoomBase& engine = PlaceUpgradedEngine();
    OpenScreenOf(engine);
    ASSERT_EQ(Screen().CurrentPage(), Page::kEngine);
    ASSERT_EQ(Screen().LeverAngle(), 12.0f);
    ASSERT_EQ(Screen().RowCursor(), 0);

    std::size_t from = frames.size();
    Press(kActionCursorUp);
    EXPECT_EQ(Screen().RowCursor(), 2);
    EXPECT_EQ(CountPlayed(kSeUICursor, from), 1);
    Press(kActionCursorDown);
    EXPECT_EQ(Screen().Focus(), GAME_CUIEngineRoom::kFocusEngineTab);
    Press(kActionCursorUp);
    EXPECT_EQ(Screen().Focus(), GAME_CUIEngineRoom::kFocusOptions);

    // The stop option of a stopped engine: the decide sound, no question.
    from = frames.size();
    Press(kActionDecide);
    EXPECT_EQ(CountPlayed(kSeUIDecide, from), 1);
    StepFrames(2);
    EXPECT_FALSE(Dialog().IsVisible());

    // A press on the over-limit row moves the cursor, a second asks; no leaves the room as it was.
    // The first row's words, in the window at (206, 190).
    constexpr int kRowX = 61 + 206 + 40;
    constexpr int kRowY = -51 + 190 + 10;
    ClickAt(kRowX, kRowY);
    StepFrames(2);
    ASSERT_EQ(Screen().RowCursor(), 0);
    ClickAt(kRowX, kRowY);
    ASSERT_TRUE(StepUntil([&] { return Dialog().IsVisible(); }, 5));
    EXPECT_EQ(Screen().CurrentPage(), Page::kAskOverLimit);
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerNo);
    ASSERT_TRUE(StepUntil([&] { return Screen().CurrentPage() == Page::kEngine; }, 5));
    EXPECT_EQ(engine.engineMode, kEngineDisconnected);

    // Yes: the notice now, the mode and the ship's speed the next frame, the lever over 10 frames.
    Press(kActionDecide);
    ASSERT_TRUE(StepUntil([&] { return Dialog().IsVisible(); }, 5));
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
    ASSERT_TRUE(StepUntil([&] { return Screen().CurrentPage() == Page::kOverLimitSet; }, 5));
    EXPECT_EQ(engine.engineMode, kEngineOverLimit);
    EXPECT_GT(world->ship->speed, 0.0f);
    EXPECT_TRUE(Screen().IsLeverMoving());
    StepFrames(GAME_CUIEngineRoom::kLeverFrames);
    EXPECT_FALSE(Screen().IsLeverMoving());
    EXPECT_EQ(Screen().LeverAngle(), -12.0f);
    ASSERT_TRUE(CloseMessage());
    StepFrames(2);
    EXPECT_EQ(Screen().CurrentPage(), Page::kEngine);
}

}  // namespace
