// The ending: it clears the other screens, runs its seven stages for their lengths, marks the ending reached and hands over to the staff roll.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "game/model/world/game_world.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "game/services/sound/sound_player.h"
#include "game/ui/screens/ui_ending.h"
#include "platform/little_endian.h"
#include "tests/game/ui/ui_test_base.h"

namespace {

using Ending = GAME_CUIEnding;

class EndingTest : public support::UITest {
protected:
    Ending& Screen() const { return *UI().Get<Ending>(); }
};

TEST_F(EndingTest, TheStagesRunTheirLengthsOverAClearedScreenAndTheStaffRollFollows)
{
    GetSoundPlayer()->PlayBGM(1, 0, false);
    UI().SetOpen(kSlotPause, true);
    StepFrames(2);
    UI().SetOpen(kSlotEnding, true);
    StepFrames(1);
    // The first frame asks the others to close; while they slide away it asks again every 10 frames.
    EXPECT_EQ(Screen().RetryCounter(), 10);
    EXPECT_NE(platform::ReadU32(GetWorkingSystemRecord(), save_layout::system::kProgressFlags) & 1u, 0u);
    ASSERT_TRUE(StepUntil([&] { return Screen().State() == UIScreenState::kMain; }, 100));
    EXPECT_FALSE(UI().IsOpen(kSlotPause));
    EXPECT_NE(GetGameWorld()->shipHidden, 0u);

    std::vector<int> lengths;
    Ending::Stage stage = Screen().GetStage();
    int frames = 0;
    bool fadeHeard = false;
    while (!UI().IsOpen(kSlotStaffRoll) && frames < 3000) {
        StepFrames(1);
        ++frames;
        if (Screen().GetStage() != stage) {
            lengths.push_back(frames);
            frames = 0;
            stage = Screen().GetStage();
            if (stage == Ending::kFadeToBlack) {
                const auto& effects = this->frames.back().soundEffects;
                fadeHeard = std::find(effects.begin(), effects.end(), Ending::kLastStageSE) != effects.end();
                EXPECT_EQ(GetSoundPlayer()->fadeMode, GAME_CSoundPlayer::kFadeOut);
                EXPECT_EQ(GetSoundPlayer()->fadeLength, 180u);
            }
        }
        if (stage == Ending::kCow && frames == 820) {
            EXPECT_NE(Screen().CowSprite(), -1);
            KeepCanvasPicture("ending_stage5");
        }
    }
    // The last stage hands over in its own last frame (counted with the frame it began in).
    lengths.push_back(frames + 1);
    EXPECT_EQ(lengths, (std::vector<int>{180, 320, 247, 30, 30, 860, 180}));
    EXPECT_TRUE(fadeHeard);
    EXPECT_TRUE(UI().IsOpen(kSlotStaffRoll));
    ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotEnding); }, 80));
}

}  // namespace
