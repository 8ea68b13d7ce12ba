// A game begun or loaded after another in the same run of the program: what the old one must not leave.
#include <gtest/gtest.h>

#include "game/services/input/input_actions.h"
#include "game/services/player/player_data.h"
#include "game/services/save/save_manager.h"
#include "game/model/world/game_world.h"
#include "game/services/text/message_text.h"
#include "game/ui/message_log.h"
#include "game/ui/screens/ui_pause.h"
#include "game/ui/screens/ui_title.h"
#include "game/ui/selection_dialog.h"
#include "tests/support/game_fixture.h"

namespace {

class NextGameTest : public support::GameFixture {
protected:
    GAME_CGameWorld& World() const { return *GetGameWorld(); }

    void Press(int action)
    {
        PressAction(action);
        StepFrames(2);
    }

    // The pause menu's quit entry, its return to the title, and the title's menu once it is up.
    void ReturnToTheTitle()
    {
        GAME_CUIPause& pause = *UI().Get<GAME_CUIPause>();
        UI().SetOpen(kSlotPause, true);
        ASSERT_TRUE(StepUntil([&] { return pause.State() == GAME_CUIPause::kMain; }, 40));
        StepFrames(1);
        Press(kActionCursorUp);
        ASSERT_EQ(pause.GetCursor(), GAME_CUIPause::kRowQuit);
        Press(kActionDecide);
        ASSERT_TRUE(StepUntil([&] { return pause.GetSubState() == GAME_CUIPause::kQuitDialog; }, 20));
        StepFrames(1);
        Press(kActionCursorUp);
        Press(kActionCursorUp);
        ASSERT_EQ(pause.GetDialogCursor(), GAME_CUIPause::kChoiceTitle);
        Press(kActionDecide);
        GAME_CUITitle& title = *UI().Get<GAME_CUITitle>();
        ASSERT_TRUE(StepUntil([&] { return UI().IsOpen(kSlotTitle) && title.GetSubState() == GAME_CUITitle::kPressStart; }, 600));
        Press(kActionDecide);
        ASSERT_TRUE(StepUntil([&] { return title.GetSubState() == GAME_CUITitle::kMenuWithSave; }, 20));
        StepFrames(1);
    }

    // The title's new-game entry, its question answered yes, until the new game's HUD is up.
    void BeginNewGameFromTheTitle()
    {
        GAME_CUITitle& title = *UI().Get<GAME_CUITitle>();
        ASSERT_TRUE(StepUntil([&] { return title.GetSubState() == GAME_CUITitle::kPressStart; }, 600));
        Press(kActionDecide);
        ASSERT_TRUE(StepUntil([&] { return title.GetSubState() == GAME_CUITitle::kMenuWithSave; }, 20));
        StepFrames(1);
        Press(kActionCursorDown);
        Press(kActionCursorDown);
        Press(kActionDecide);
        ASSERT_TRUE(StepUntil([&] { return title.GetSubState() == GAME_CUITitle::kNewGameQuestion; }, 20));
        StepFrames(2);
        AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
        ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotTitle) && UI().IsOpen(kSlotCommon); }, 600));
    }

    int CountLogLines(std::u16string_view text) const
    {
        const GAME_CUIMessageLog& log = *UI().MessageLog();
        int count = 0;
        for (int i = 0; i < log.CountLines(); ++i) count += std::u16string_view(log.GetLine(i).text.c_str()) == text ? 1 : 0;
        return count;
    }
};

// The speed the player chose belongs to the game it was chosen in: the game read again from the
// file for the title, continued from there, went on at the speed the player left it at.
TEST_F(NextGameTest, AGameLeftAtTheThirdSpeedIsTakenUpAgainFromTheTitleAtTheFirst)
{
    ASSERT_NO_FATAL_FAILURE(StartNewGameToFirstRoad());
    ASSERT_TRUE(GetSaveManager()->RequestSaveSlot(1));
    ASSERT_TRUE(StepUntilSaveIdle());
    const GAME_CPlayerData& player = *GetPlayerData();
    World().timeScale->speed = player.speeds[2];
    ASSERT_NO_FATAL_FAILURE(ReturnToTheTitle());

    PressAction(kActionDecide);
    ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotTitle) && UI().IsOpen(kSlotCommon); }, 200));
    EXPECT_EQ(World().timeScale->speed, player.speeds[0]);
}

// A road's notice that repeats without end belongs to the game it was given in: the game played to
// its end and a new one begun from the title after the staff roll went on repeating the old notice
// in the new game's log and ticker.
TEST_F(NextGameTest, ANoticeRepeatingAtTheEndOfAGameIsNotRepeatedInTheNextGame)
{
    ASSERT_NO_FATAL_FAILURE(StartNewGameToFirstRoad());
    UINoticeRecord notice;
    InitNoticeRecord(&notice);
    notice.key.Assign("ROUTE_OLD_WELL_WELCOME");
    notice.frames = 60;
    notice.count = -1;
    UI().ShowNotice(notice);
    const std::u16string text = GetMessageTextExpanded("ROUTE_OLD_WELL_WELCOME");
    StepFrames(61);
    ASSERT_GE(CountLogLines(text), 1);

    // The road's ending closes the HUD and the hideout's screens; the staff roll ends on the title.
    for (const int slot : {kSlotCommon, kSlotAjitoRoot}) UI().SetOpen(slot, false);
    UI().SetOpen(kSlotStaffRoll, true);
    ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotStaffRoll) && UI().IsOpen(kSlotTitle); }, 30000));
    ASSERT_NO_FATAL_FAILURE(BeginNewGameFromTheTitle());
    StepFrames(180);
    EXPECT_FALSE(UI().IsNoticeActive());
    EXPECT_EQ(CountLogLines(text), 0);
}

}  // namespace
