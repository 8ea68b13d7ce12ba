// A game begun or loaded after another in the same run of the program: what the old one must not leave.
#include <gtest/gtest.h>

#include "game/services/input/input_actions.h"
#include "game/services/player/player_data.h"
#include "game/services/save/save_manager.h"
#include "game/model/world/game_world.h"
#include "game/ui/screens/ui_pause.h"
#include "game/ui/screens/ui_title.h"
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

}  // namespace
