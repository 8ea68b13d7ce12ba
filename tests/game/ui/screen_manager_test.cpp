// The screen manager's passes: which screen gets the input, and what losing the window's focus does.
#include <gtest/gtest.h>

#include "game/services/player/player_data.h"
#include "game/services/input/input_actions.h"
#include "game/services/clock/game_clock.h"
#include "game/ui/screens/ui_common.h"
#include "game/ui/screens/ui_add_task.h"
#include "game/ui/screens/ui_build_select_grid.h"
#include "game/ui/selection_dialog.h"
#include "game/ui/ui_screen.h"
#include "tests/game/ui/ui_test_base.h"

namespace {

class ScreenManagerTest : public support::UITest {
protected:
    bool InputOf(int slot)
    {
        if (slot == kSlotCommon) return UI().Get<GAME_CUICommon>()->ReceivedInput();
        return UI().Get<GAME_CUIScreen>(slot)->ReceivedInput();
    }
    void Open(int slot)
    {
        UI().SetOpen(slot, true);
        StepFrames(GAME_CUIScreen::kSlideFrames + 1);
    }
};

TEST_F(ScreenManagerTest, AScreenIsHandedOutOnlyAsTheClassItsSlotHolds)
{
    EXPECT_NE(UI().Get<GAME_CUIAddTask>(), nullptr);
    EXPECT_EQ(UI().Get<GAME_CUIAddTask>(), UI().GetScreen(kSlotAddTask));
    // A wrong slot number gives nothing rather than another screen taken for an add-task screen.
    EXPECT_EQ(UI().Get<GAME_CUIAddTask>(kSlotCommon), nullptr);
    EXPECT_EQ(UI().Get<GAME_CUIAddTask>(0), nullptr);
    EXPECT_EQ(UI().Get<GAME_CUIAddTask>(kUISlotCount), nullptr);
}

TEST_F(ScreenManagerTest, InputReachesTheTopmostScreenThatTakesItAndNothingBelowABlockingOne)
{
    // A crewless ship would end the game as soon as the HUD and the status panel are up; a ship at
    // a hideout would open the hideout's screen over the HUD.
    GAME_CObjectActor* member = world->fieldObjects->AcquireActorObject();
    ASSERT_NE(member, nullptr);
    ActorSetupRecord setup;
    world->ship->GetCellFloorPoint(0, 0, &setup.x, &setup.y, false);
    member->Init(setup);
    ASSERT_NE(world->travel->routeManager, nullptr);
    world->travel->routeManager->SetPosition(1);
    UI().CloseAllExcept();
    StepFrames(20);
    Open(kSlotShipStatus);
    Open(kSlotCommon);
    ASSERT_TRUE(UI().IsOpen(kSlotResident));
    ASSERT_TRUE(UI().IsOpen(kSlotAchievementPopup));

    // The popup and the resident bar pass the input on to the HUD, which passes it on while it rests.
    ClickAt(320, 180);
    StepFrames(1);
    EXPECT_TRUE(InputOf(kSlotCommon));
    EXPECT_TRUE(InputOf(kSlotShipStatus));

    // The add-task screen keeps it from every slot below, already while it opens.
    UI().SetOpen(kSlotAddTask, true);
    StepFrames(1);
    EXPECT_EQ(UI().Get<GAME_CUIAddTask>()->State(), UIScreenState::kOpening);
    EXPECT_FALSE(InputOf(kSlotCommon));
    EXPECT_FALSE(InputOf(kSlotShipStatus));
    ASSERT_TRUE(CloseScreen(kSlotAddTask));
    StepFrames(1);
    EXPECT_TRUE(InputOf(kSlotCommon));

    // A shown dialog takes the input from every screen, though they are all still updated.
    GetInDisplaySelection()->Open(kSlotCommon, 0, true);
    StepFrames(1);
    EXPECT_FALSE(InputOf(kSlotCommon));
    EXPECT_FALSE(InputOf(kSlotShipStatus));
    GetInDisplaySelection()->Close();
    StepFrames(2);
    EXPECT_TRUE(InputOf(kSlotCommon));

    // So does the scripts' UI lock.
    world->inputBlocked = 1;
    StepFrames(1);
    EXPECT_FALSE(InputOf(kSlotCommon));
    world->inputBlocked = 0;

    // The field control: the HUD allows it, the upper pause layer and a shop do not; the popup, the
    // resident bar and the hideout root are passed over.
    EXPECT_TRUE(UI().GetTopFieldControl());
    UI().SetOpen(kSlotPauseUpper, true);
    EXPECT_FALSE(UI().GetTopFieldControl());
    UI().SetOpen(kSlotPauseUpper, false);
    EXPECT_TRUE(UI().GetTopFieldControl());
    Open(kSlotShop);
    EXPECT_FALSE(UI().GetTopFieldControl());
}

TEST_F(ScreenManagerTest, LosingTheFocusPausesTheGameUnlessAMenuIsOpenAndMutesIt)
{
    UI().CloseAllExcept();
    StepFrames(20);
    Open(kSlotBuildSelectGrid);
    ASSERT_EQ(GetPlayerData()->pauseWhenInactive, 1u);

    SetFocus(false);
    StepFrames(1);
    EXPECT_EQ(UI().Get<GAME_CUIBuildSelectGrid>()->State(), UIScreenState::kClosing);
    EXPECT_TRUE(UI().IsOpen(kSlotPause));
    EXPECT_EQ(world->paused, 1u);
    // Muted: no sound effect starts.
    GetSoundPlayer()->PlaySE(kSeDecide);
    EXPECT_FALSE(PlayedNow(kSeDecide));

    SetFocus(true);
    StepFrames(1);
    EXPECT_EQ(world->paused, 0u);
    GetSoundPlayer()->PlaySE(kSeDecide);
    EXPECT_TRUE(PlayedNow(kSeDecide));
    ASSERT_TRUE(CloseScreen(kSlotPause));

    // With a shop open nothing opens and the game is not paused; the mute still applies.
    Open(kSlotShop);
    SetFocus(false);
    StepFrames(2);
    EXPECT_FALSE(UI().IsOpen(kSlotPause));
    EXPECT_EQ(world->paused, 0u);
    EXPECT_EQ(GetSoundPlayer()->readyToPlay, 0u);
    SetFocus(true);
    ASSERT_TRUE(CloseScreen(kSlotShop));

    // The scripts' UI lock keeps the pause menu shut, but the game still pauses.
    world->inputBlocked = 1;
    SetFocus(false);
    StepFrames(2);
    EXPECT_FALSE(UI().IsOpen(kSlotPause));
    EXPECT_EQ(world->paused, 1u);
}

TEST_F(ScreenManagerTest, TheEventWindowClosedEveryFrameAfterItsEventClosesAndTheClockRunsOn)
{
    // With no route event running, the travel step asks the event window to close every frame; the
    // requests that come after its slide ended must not start the slide again.
    UI().SetOpen(kSlotEvent, true);
    StepFrames(1);
    ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotEvent); }, 2 * GAME_CUIScreen::kSlideFrames + 4));
    const std::uint32_t step = GetGameClock()->step;
    StepFrames(5);
    EXPECT_FALSE(UI().IsOpen(kSlotEvent));
    EXPECT_NE(GetGameClock()->step, step);
}

}  // namespace
