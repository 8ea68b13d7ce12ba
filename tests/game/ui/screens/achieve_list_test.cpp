// The achievement list: its ring of twenty rows, rows picked by the pointer, a locked and an unlocked achievement's progress, a goal of 0, and where it closes to.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "game/services/achievement/achievements.h"
#include "game/services/input/input_actions.h"
#include "game/services/player/player_data.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "game/ui/screens/ui_achieve_list.h"
#include "game/ui/ui_draw.h"
#include "game/ui/widgets/ui_label_object.h"
#include "game/ui/widgets/ui_null_object.h"
#include "platform/little_endian.h"
#include "tests/support/game_fixture.h"

namespace {

class AchieveListTest : public support::GameFixture {
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        ASSERT_NO_FATAL_FAILURE(StartToMainGame());
    }

    GAME_CUIAchieveList& Achievements() const { return *UI().Get<GAME_CUIAchieveList>(); }

    void Open(bool fromTitle)
    {
        UI().SetOpen(kSlotAchieveList, true);
        if (fromTitle) Achievements().openedFromTitle = 1;
        ASSERT_TRUE(StepUntil([&] { return Achievements().State() == UIScreenState::kMain; }, 40));
    }

    void Press(int action)
    {
        PressAction(action);
        StepFrames(2);
    }
};

TEST_F(AchieveListTest, TheFirstAchievementShowsItsCounterAgainstItsGoalUntilUnlockedAndTheTitleStaysAlone)
{
    GetAchievementManager()->thresholds[0] = 6;
    platform::WriteU32(GetWorkingSystemRecord(), save_layout::system::kAchievementCounters, 2);
    ASSERT_NO_FATAL_FAILURE(Open(true));

    EXPECT_EQ(std::string(Achievements().Row(0).name->Key()), "ACHIEVE_HIDDEN");
    EXPECT_EQ(Achievements().Row(0).name->Color(), GetUIColor(5));
    EXPECT_EQ(Achievements().SelectedPane().icon->Color() >> 24, 0u);
    EXPECT_EQ(std::string(Achievements().SelectedPane().description->Key()), "ACHIEVE_01_DISCRIPT");
    EXPECT_EQ(Achievements().SelectedPane().progress->Literal(), u"２/６");
    EXPECT_NEAR(Achievements().SelectedPane().BarWidth(), 248.0f * 2.0f / 6.0f, 0.01f);
    KeepCanvasPicture("achievement_list");

    // Up on the first goes round to the twentieth; down comes back.
    Press(kActionCursorUp);
    EXPECT_EQ(Achievements().List().Index(), 19);
    EXPECT_EQ(Achievements().List().top, 14);
    EXPECT_EQ(Achievements().List().cursor, 5);
    Press(kActionCursorDown);
    EXPECT_EQ(Achievements().List().Index(), 0);
    // A click on the third row selects it with the cursor sound; a click on the selected row does nothing.
    ClickAt(200, 139);
    StepFrames(1);
    EXPECT_EQ(Achievements().List().cursor, 2);
    EXPECT_EQ(std::string(Achievements().SelectedPane().description->Key()), "ACHIEVE_03_DISCRIPT");
    EXPECT_TRUE(std::ranges::count(frames.back().soundEffects, static_cast<std::uint32_t>(kSeUICursor)) == 1);
    ClickAt(200, 139);
    StepFrames(1);
    EXPECT_EQ(Achievements().List().cursor, 2);
    EXPECT_TRUE(frames.back().soundEffects.empty());
    // The wheel scrolls the rows under the cursor, with the cursor sound.
    Wheel(-1);
    StepFrames(1);
    EXPECT_EQ(Achievements().List().top, 1);
    EXPECT_EQ(std::string(Achievements().SelectedPane().description->Key()), "ACHIEVE_04_DISCRIPT");
    EXPECT_TRUE(std::ranges::count(frames.back().soundEffects, static_cast<std::uint32_t>(kSeUICursor)) == 1);

    // Unlocked: its name and icon, the goal against the goal and a full bar, whatever the counter says.
    GetStorefrontAchievementRows()[0].achieved = 1;
    ASSERT_TRUE(CloseScreen(kSlotAchieveList));
    EXPECT_FALSE(UI().IsOpen(kSlotPause));
    ASSERT_NO_FATAL_FAILURE(Open(false));
    EXPECT_EQ(std::string(Achievements().Row(0).name->Key()), "ACHIEVE_01");
    EXPECT_EQ(Achievements().Row(0).name->Color(), GetUIColor(kUIColorText));
    EXPECT_EQ(Achievements().SelectedPane().icon->Color() >> 24, 0xFFu);
    EXPECT_NE(Achievements().SelectedPane().icon->Sprite(), -1);
    EXPECT_EQ(Achievements().SelectedPane().progress->Literal(), u"６/６");
    EXPECT_NEAR(Achievements().SelectedPane().BarWidth(), 248.0f, 0.01f);

    // A goal of 0 is met by any count: a full bar.
    GetStorefrontAchievementRows()[0].achieved = 0;
    GetAchievementManager()->thresholds[0] = 0;
    ASSERT_TRUE(CloseScreen(kSlotAchieveList));
    ASSERT_NO_FATAL_FAILURE(Open(true));
    EXPECT_EQ(Achievements().SelectedPane().progress->Literal(), u"２/０");
    EXPECT_NEAR(Achievements().SelectedPane().BarWidth(), 248.0f, 0.01f);

    // Closed by cancel: from the title the pause menu stays shut.
    Press(kActionCancel);
    ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotAchieveList); }, 40));
    EXPECT_FALSE(UI().IsOpen(kSlotPause));
}

// What the storefront was told belongs to the game that told it: a game started after another one
// in the same process (as every test here does) begins with none of its marks, so that what it
// unlocks is told again and the achievement's notice comes up as it did the first time.
TEST_F(AchieveListTest, AGameStartedAfterAnotherOneInTheSameProcessKeepsNoneOfItsStorefrontMarks)
{
    // The storefront has been told of the third one.
    GetStorefrontAchievementRows()[2].achieved = 1;
    StopGame();
    ASSERT_NO_FATAL_FAILURE(StartToMainGame());
    for (int row = 0; row < kAchievementCount; ++row) EXPECT_EQ(GetStorefrontAchievementRows()[row].achieved, 0) << row;
}

}  // namespace
