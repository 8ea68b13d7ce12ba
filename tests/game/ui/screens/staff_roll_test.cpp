// The staff roll: the credit feed with its waits and its speed, the logo's skips, the autosave with a failed or refused write, the title after it with the message log emptied.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "game/model/world/game_world.h"
#include "game/services/input/input_actions.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "game/services/save/save_manager.h"
#include "game/services/sound/sound_player.h"
#include "game/services/text/message_text.h"
#include "game/ui/message_log.h"
#include "game/ui/screens/ui_staff_roll.h"
#include "game/ui/selection_dialog.h"
#include "platform/file_system.h"
#include "platform/little_endian.h"
#include "tests/game/ui/ui_test_base.h"
#include "tests/support/scratch_folder.h"

namespace {

using namespace save_layout;
using Roll = GAME_CUIStaffRoll;

class StaffRollTest : public support::UITest {
protected:
    Roll& Screen() const { return *UI().Get<Roll>(); }

    void Press(int action)
    {
        PressAction(action);
        StepFrames(1);
    }

    // The frame each credit line came on screen, by its key.
    std::map<std::string, int> FeedCredits()
    {
        std::map<std::string, int> placed;
        for (int frame = 0; frame < 2000 && Screen().GetStage() == Roll::kFeed; ++frame) {
            StepFrames(1);
            for (int i = 0; i < Roll::kLineRecords; ++i) {
                const Roll::Line& line = Screen().GetLine(i);
                if (!line.key.empty() && !placed.contains(line.key)) placed[line.key] = frame;
            }
        }
        return placed;
    }
};

TEST_F(StaffRollTest, TheCreditsWaitAndSpeedUpTheLogoSkipsTwiceAndAFailedAutosaveIsTriedAgainBeforeTheTitle)
{
    GAME_CGameWorld& world = *GetGameWorld();
    world.shipHidden = 1;
    UI().MessageLog()->AddMessage(u"a line of the finished game", 0);
    UI().SetOpen(kSlotStaffRoll, true);
    StepFrames(1);
    EXPECT_EQ(GetSoundPlayer()->PlayingBgm(), 6u);
    EXPECT_EQ(platform::ReadU32(GetWorkingSlot(), slot::kEndingSeen), 1u);
    EXPECT_NE(world.held, 0u);
    ASSERT_EQ(Screen().Interval(), 15);

    const std::map<std::string, int> placed = FeedCredits();
    // One line an interval, placed under the canvas at x 80.
    EXPECT_EQ(placed.at("STAFFLIST_000"), 14);
    // "WAIT3" (001) leaves three empty rows, "WAIT" (004) none.
    EXPECT_EQ(placed.at("STAFFLIST_002") - placed.at("STAFFLIST_000"), 4 * 15);
    EXPECT_EQ(placed.at("STAFFLIST_003") - placed.at("STAFFLIST_002"), 15);
    EXPECT_EQ(placed.at("STAFFLIST_005") - placed.at("STAFFLIST_003"), 16);
    EXPECT_FALSE(placed.contains("STAFFLIST_001"));
    // "SPEED1500" (025): an interval of 10 frames for the lines after it.
    EXPECT_EQ(Screen().Speed(), 1.5f);
    EXPECT_EQ(Screen().Interval(), 10);
    EXPECT_EQ(placed.at("STAFFLIST_027") - placed.at("STAFFLIST_026"), 10);

    // The logo: a skip in its second frame does nothing, then it jumps to full sight and to the fade.
    ASSERT_TRUE(StepUntil([&] { return Screen().GetStage() == Roll::kLogo; }, 2000));
    EXPECT_EQ(GetSoundPlayer()->PlayingBgm(), kNoBgm);
    ASSERT_EQ(Screen().StageCounter(), 1);
    Press(kActionDecide);
    EXPECT_EQ(Screen().StageCounter(), 2);
    StepFrames(1);
    Press(kActionDecide);
    EXPECT_EQ(Screen().StageCounter(), 60);
    StepFrames(1);
    Press(kActionDecide);
    EXPECT_EQ(Screen().StageCounter(), 120);

    // The autosave's write fails: the question comes, the old file stays; yes stamps a new time.
    const std::string before = support::ReadBytes(SavePath());
    platform::SetFileFaultForTesting(platform::FileFault::ShortWrite);
    ASSERT_TRUE(StepUntil([&] { return Screen().GetStage() == Roll::kRetry; }, 600));
    platform::SetFileFaultForTesting(platform::FileFault::None);
    StepFrames(1);
    EXPECT_NE(GetInDisplaySelection()->Message().find(GetMessageTextExpanded("PAUSEUI_SAVE_RETRY_YESNO")),
              std::u16string::npos);
    // The question is drawn over the roll, with its text: the roll waits on it.
    EXPECT_NE(FindSpriteDraw(2, "ui_dialogbase"), nullptr);
    const std::u16string question = GetMessageTextExpanded("PAUSEUI_SAVE_RETRY_YESNO");
    EXPECT_NE(FindTextDraw(std::u16string_view(question).substr(0, question.find(u'\n'))), nullptr);
    EXPECT_EQ(support::ReadBytes(SavePath()), before);
    platform::WriteU32(GetWorkingSlot(), slot::kLastSaveTime, 1999);
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
    ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotStaffRoll); }, 600));
    EXPECT_NE(platform::ReadU32(GetWorkingSlot(), slot::kLastSaveTime), 1999u);
    EXPECT_EQ(GetSaveManager()->currentSlot, 0u);
    const std::string after = support::ReadBytes(SavePath());
    ASSERT_EQ(after.size(), kImageSize);
    EXPECT_EQ(platform::ReadU32(reinterpret_cast<const std::uint8_t*>(after.data()) + SlotOffset(0) + slot::kEndingSeen), 1u);

    // The title follows with its music; the ship shows again and the game runs. The finished game's
    // notices are gone from the message log, as on every return to the title.
    EXPECT_TRUE(UI().IsOpen(kSlotTitle));
    EXPECT_EQ(UI().MessageLog()->CountLines(), 0);
    EXPECT_EQ(GetSoundPlayer()->PlayingBgm(), 0u);
    EXPECT_EQ(world.shipHidden, 0u);
}

// A game played on without saving (its file could not be read) reaches the end: the roll's autosave is
// refused by a machine that is free, which is its failure. The player is asked, and no goes on to the
// title rather than the roll saying "saving" for ever.
TEST_F(StaffRollTest, AnAutosaveRefusedWhileSavingIsHeldBackAsksAndNoGoesOnToTheTitle)
{
    const std::string before = support::ReadBytes(SavePath());
    GetSaveManager()->HoldBackSaving();
    UI().SetOpen(kSlotStaffRoll, true);
    ASSERT_TRUE(StepUntil([&] { return Screen().GetStage() == Roll::kSave; }, 20000));
    ASSERT_TRUE(StepUntil([&] { return Screen().GetStage() == Roll::kRetry; }, 60));
    StepFrames(1);
    EXPECT_NE(GetInDisplaySelection()->Message().find(GetMessageTextExpanded("PAUSEUI_SAVE_RETRY_YESNO")),
              std::u16string::npos);
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerNo);
    ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotStaffRoll); }, 600));
    EXPECT_TRUE(UI().IsOpen(kSlotTitle));
    EXPECT_EQ(support::ReadBytes(SavePath()), before);
}

}  // namespace
