// The crafting-room screen: its slide, its one tab, the workshop's durability and upgrades, and the page's silent focus.
#include <gtest/gtest.h>

#include <string>

#include "game/services/data/room_records.h"
#include "game/services/input/input_actions.h"
#include "game/ui/room_task_tab.h"
#include "game/ui/screens/ui_item_create.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_text.h"
#include "tests/game/ui/screens/room_screen_test_base.h"

namespace {

class ItemCreateTest : public support::RoomScreenTest {
protected:
    GAME_CUIItemCreate& Screen() const { return *UI().Get<GAME_CUIItemCreate>(); }

    void Press(int action, int frames = 2)
    {
        PressAction(action);
        StepFrames(frames);
    }
};

// A workshop with six installed upgrades, a record without an upgrade among them, opens as the start
// workshop does: the page slides in from above, titled with the room's name, one tab, the full
// durability; the upgrades scroll by one; the cursor walks its places without a sound.
TEST_F(ItemCreateTest, AWorkshopSlidesInWithItsDurabilityAndUpgradesAndItsCursorMovesSilently)
{
    GAME_CRoomBase& workshop = Place("ID06", 4, 3);
    RoomData data = *workshop.roomData;
    const int types[] = {0, 1, 2, -1, 3, 4, 5};
    for (std::size_t n = 0; n < std::size(types); ++n) {
        data.upgrades[n].type = types[n];
        data.upgrades[n].nameKey = "TU0" + std::to_string(n + 3);
    }
    workshop.roomData = &data;
    workshop.installedUpgrades = 0x3F;

    UI().OpenRoomScreen(&workshop, IndexOf(workshop));
    std::vector<float> heights;
    for (int frame = 0; frame < 16; ++frame) {
        StepFrames(1);
        heights.push_back(Screen().PageRoot()->GetPosition()->y);
    }
    ASSERT_EQ(Screen().State(), UIScreenState::kMain);
    EXPECT_EQ(Screen().PageRoot()->GetPosition()->x, 0.0f);
    EXPECT_GT(heights.front(), -360.0f);
    EXPECT_LT(heights[13], 0.0f) << "still sliding on its 14th frame";
    EXPECT_EQ(heights[14], 0.0f) << "at rest on its 15th";
    EXPECT_TRUE(std::is_sorted(heights.begin(), heights.end()));

    const UIRoomPageFrame& frame = Screen().TaskFrame();
    EXPECT_EQ(frame.title->Literal(), UITagName(MakeTag("ID06")));
    EXPECT_EQ(frame.firstTab, nullptr) << "one tab";
    EXPECT_TRUE(DrewKey("KITCHEN_TEXT_TASK"));
    GAME_CUIRoomTaskTab& tab = Screen().TaskTab();
    EXPECT_EQ(tab.ValueLabel()->Literal(), UIFullWidthNumber(60) + u"／" + UIFullWidthNumber(60));
    EXPECT_EQ(tab.LineCount(), 7) << "six upgrades below the durability, the empty record skipped";
    EXPECT_EQ(tab.ScrollBar()->Maximum(), 1);
    EXPECT_EQ(tab.DisplayLabel(4)->Key(), std::string("TU07")) << "the upgrade behind the empty record is listed";

    // The cursor's walk: rows, task tab, the skip arrows, back to the rows, the crew panel, the
    // scroll bar entered from below at its end; none of it sounds.
    struct Step {
        int action;
        std::int32_t focus;
    };
    const Step walk[] = {
        {kActionCursorDown, kTaskFocusTaskTab}, {kActionCursorLeft, kTaskFocusSkipLeft}, {kActionCursorRight, kTaskFocusScrollBar},
        {kActionCursorRight, kTaskFocusRows},   {kActionCursorDown, kTaskFocusTaskTab}, {kActionCursorRight, kTaskFocusSkipRight},
        {kActionCursorLeft, kTaskFocusRows},    {kActionCursorLeft, kTaskFocusCrew},    {kActionCursorDown, kTaskFocusScrollBar},
    };
    ASSERT_EQ(tab.Focus(), kTaskFocusRows);
    const std::size_t from = frames.size();
    for (const Step& step : walk) {
        Press(step.action);
        SCOPED_TRACE(testing::Message() << "action " << step.action);
        ASSERT_EQ(tab.Focus(), step.focus);
    }
    EXPECT_EQ(CountPlayed(kSeUICursor, from), 0);
    EXPECT_EQ(tab.ScrollBar()->Value(), 0) << "the scroll bar entered from above starts at its top";

    // Down scrolls by one (the scroll's own sound), then leaves for the crew panel.
    Press(kActionCursorDown);
    EXPECT_EQ(tab.ScrollBar()->Value(), 1);
    EXPECT_EQ(CountPlayed(kSeUICursor, from), 1);
    EXPECT_EQ(tab.DisplayLabel(0)->Key(), std::string("TU03"));
    EXPECT_EQ(tab.GaugeFill()->Color() >> 24, 0u);
    Press(kActionCursorDown);
    EXPECT_EQ(tab.Focus(), kTaskFocusCrew);

    // Cancel closes; the focus waits for the next opening.
    PressAction(kActionCancel);
    ASSERT_TRUE(StepUntil([&] { return !Screen().IsOpen(); }, 40));
    OpenScreenOf(workshop);
    EXPECT_EQ(tab.Focus(), kTaskFocusCrew);
}

}  // namespace
