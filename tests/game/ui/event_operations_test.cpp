// Events reach the screens: closing the menus for an event, the event window's text, the choices' cursor.
#include <gtest/gtest.h>

#include <string>

#include "game/services/input/input_actions.h"
#include "game/ui/event_selection.h"
#include "game/ui/screens/ui_event.h"
#include "game/ui/selection_dialog.h"
#include "game/ui/ui_screen.h"
#include "tests/game/ui/ui_test_base.h"

namespace {

class EventOperationsTest : public support::UITest {};

TEST_F(EventOperationsTest, AnEventClosesTheMenusAndTheDialogAndHandsItsTextToTheEventWindow)
{
    for (int slot : {kSlotBuild, kSlotShop, kSlotMessageLog, kSlotOption}) UI().SetOpen(slot, true);
    StepFrames(2);
    GetInDisplaySelection()->Open(kSlotBuild, 0, true);
    StepFrames(1);

    UIEventTextValue value;
    value.typeTag = UIEventTextValue::kStringTag;
    value.narrow = "EVENT_SANDSTORM";
    UI().ShowEventMessage(value);
    // A key the messages lack shows as itself.
    EXPECT_EQ(UI().Get<GAME_CUIEvent>()->pendingText, u"EVENT_SANDSTORM");
    ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotBuild) && !UI().IsOpen(kSlotMessageLog) && !UI().IsOpen(kSlotOption); }, 30));
    // The shop is not among the screens an event closes.
    EXPECT_TRUE(UI().IsOpen(kSlotShop));
    EXPECT_FALSE(GetInDisplaySelection()->visible);
    EXPECT_FALSE(UI().CloseAllExcept());
    ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotShop); }, 30));
    EXPECT_TRUE(UI().CloseAllExcept());

    // A wide string is the window's literal text; the window's look comes with its own call.
    value.wide = 1;
    value.text = u"The wind rises.";
    UI().ShowEventMessage(value);
    UI().SetEventWindowParams(7, 1, 1, 0, 0.5f);
    const auto* event = UI().Get<GAME_CUIEvent>();
    EXPECT_EQ(event->pendingText, u"The wind rises.");
    EXPECT_EQ(event->pictureSprite, 7);
    EXPECT_EQ(event->pictureGroup, 1);
    EXPECT_EQ(event->pictureFlipX, 1u);
    EXPECT_EQ(event->pictureScale, 0.5f);
}

TEST_F(EventOperationsTest, TheChoiceCursorSkipsEmptyChoicesAndAClickFirstMovesItThenDecides)
{
    GAME_CUIEventSelectionObject* choices = GetEventSelection();
    choices->Open();
    choices->ClearChoices();
    const GAME_CUIEventSelectionObject::Choice first{0, u"Wait it out"};
    const GAME_CUIEventSelectionObject::Choice third{2, u"Turn back"};
    choices->SetChoice(&first);
    choices->SetChoice(&third);
    ASSERT_TRUE(StepUntil([&] { return choices->State() == 2; }, 30));
    // Two choices: rows at 102 and 218, the cursor's row moved left.
    EXPECT_EQ(choices->RowPosition(0).x, 206.0f);
    EXPECT_EQ(choices->RowPosition(2).y, 218.0f);

    PressAction(kActionCursorDown);
    StepFrames(1);
    EXPECT_EQ(choices->Cursor(), 2u);
    EXPECT_TRUE(Played(kSeCursor));
    StepFrames(1);
    PressAction(kActionCursorDown);
    StepFrames(1);
    EXPECT_EQ(choices->Cursor(), 0u);

    // A click on the other row moves the cursor; a second click on it decides.
    StepFrames(1);
    ClickAt(280, 230);
    StepFrames(1);
    EXPECT_EQ(choices->Cursor(), 2u);
    EXPECT_EQ(choices->Answer(), -1);
    StepFrames(2);
    const vesk::math::Vec2 row = choices->RowPosition(2);
    ClickAt(static_cast<int>(row.x) + 10, static_cast<int>(row.y) + 10);
    StepFrames(1);
    EXPECT_EQ(choices->Answer(), 2);
    choices->Close();
    ASSERT_TRUE(StepUntil([&] { return !choices->IsActive(); }, 20));
}

}  // namespace
