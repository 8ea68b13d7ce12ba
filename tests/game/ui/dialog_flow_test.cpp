// The dialog flow as screens use it: asking, telling after a yes, the poll, the game's hold and the running text.
#include <gtest/gtest.h>

#include "game/services/input/input_actions.h"
#include "game/services/text/message_text.h"
#include "game/ui/dialog_flow.h"
#include "game/ui/selection_dialog.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_text.h"
#include "tests/game/ui/ui_test_base.h"

namespace {

class DialogFlowTest : public support::UITest {
protected:
    bool WaitFor(UIDialogAnswer answer)
    {
        return StepUntil([&] { return PollDialog() == answer; }, 30);
    }
};

TEST_F(DialogFlowTest, AHoldingDialogStopsTheGameUntilItGoesAnsweredOrNot)
{
    // Taken away by its screen before any answer: the dialog is gone and the game runs again.
    AskInDialog(kSlotBuildSelectGrid, {.text = u"?", .holdsGame = world});
    StepFrames(2);
    EXPECT_EQ(world->held, 1u);
    EXPECT_EQ(PollDialog(), UIDialogAnswer::kNone);
    CloseDialog();
    StepFrames(1);
    EXPECT_EQ(PollDialog(), UIDialogAnswer::kGone);
    EXPECT_EQ(world->held, 0u);

    // The cursor starts on no: decide answers no, the poll closes the dialog and the hold ends.
    AskInDialog(kSlotBuildSelectGrid, {.text = u"?", .holdsGame = world});
    StepFrames(2);
    PressAction(kActionDecide);
    ASSERT_TRUE(WaitFor(UIDialogAnswer::kNo));
    StepFrames(1);
    EXPECT_FALSE(IsDialogShown());
    EXPECT_EQ(world->held, 0u);

    // A yes with a notice told in the same dialog: the game stands until the notice is pressed.
    const UIDialogItem items[] = {{u"ITEM", FindUISprite("ui_icon_actor")}};
    AskInDialog(kSlotBuildSelectGrid, {.text = u"?", .focusOnYes = true, .holdsGame = world, .items = items});
    StepFrames(2);
    EXPECT_EQ(GetInDisplaySelection()->LineCount(), 2u);
    PressAction(kActionDecide);
    ASSERT_TRUE(WaitFor(UIDialogAnswer::kYes));
    CloseDialog();
    NoticeInDialog(kSlotBuildSelectGrid, {.text = u"!"});
    StepFrames(3);
    EXPECT_TRUE(IsDialogShown());
    EXPECT_EQ(PollDialog(), UIDialogAnswer::kNone);
    EXPECT_EQ(world->held, 1u);
    PressAction(kActionDecide);
    ASSERT_TRUE(WaitFor(UIDialogAnswer::kGone));
    EXPECT_EQ(world->held, 0u);

    // A dialog that does not hold the game leaves the flag to its screen.
    world->held = 1;
    NoticeInDialog(kSlotBullet, {.text = u"!"});
    StepFrames(2);
    CloseDialog();
    StepFrames(1);
    EXPECT_EQ(world->held, 1u);
    world->held = 0;

    // Work under way: the running text takes the dots of the frame count and is cut to its limit.
    BusyInDialog(kSlotBullet);
    StepFrames(1);
    const std::u16string running = GetMessageTextExpanded("PAUSEUI_SAVE_RUNNING");
    SetDialogRunningText("PAUSEUI_SAVE_RUNNING", 8);
    EXPECT_EQ(GetInDisplaySelection()->Message(), running + std::u16string(UIWaitingDots(8)));
    SetDialogRunningText("PAUSEUI_SAVE_RUNNING", 8, 2);
    EXPECT_EQ(GetInDisplaySelection()->Message(), running.substr(0, 2));
    CloseDialog();
}

}  // namespace
