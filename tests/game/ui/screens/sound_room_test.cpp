// The sound room: it silences the field music, its list goes round, its tracks skip the wind, the field music comes back, and the options beneath stand hidden.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "game/services/input/input_actions.h"
#include "game/services/sound/sound_player.h"
#include "game/services/text/message_text.h"
#include "game/ui/screens/ui_option.h"
#include "game/ui/screens/ui_sound_room.h"
#include "game/ui/widgets/ui_label_object.h"
#include "tests/game/ui/ui_test_base.h"

namespace {

class SoundRoomTest : public support::UITest {
protected:
    GAME_CUISoundRoom& Room() const { return *UI().Get<GAME_CUISoundRoom>(); }

    void Press(int action)
    {
        PressAction(action);
        StepFrames(2);
    }
};

TEST_F(SoundRoomTest, TheRoomOwnsTheMusicWhileOpenAndGivesTheFieldItsTrackBackFromTheStart)
{
    GAME_CSoundPlayer& sound = *GetSoundPlayer();
    sound.PlayBGM(1, 0, false);
    ASSERT_EQ(sound.PlayingBgm(), 1u);

    UI().SetOpen(kSlotSoundRoom, true);
    StepFrames(1);
    EXPECT_EQ(sound.PlayingBgm(), kNoBgm);
    EXPECT_EQ(Room().RememberedBgm(), 1u);
    ASSERT_TRUE(StepUntil([&] { return Room().State() == UIScreenState::kMain; }, 40));
    EXPECT_EQ(sound.PlayingBgm(), kNoBgm);

    // Up on the first track goes round to the tenth; the window shows tracks 2 to 9.
    Press(kActionCursorUp);
    EXPECT_EQ(Room().List().top, 2);
    EXPECT_EQ(Room().List().cursor, 7);
    KeepCanvasPicture("sound_room");
    for (int row = 0; row < GAME_CUISoundRoom::kRows; ++row) {
        EXPECT_EQ(std::string(Room().Row(row).name->Key()), "BGM_NAME_00" + std::to_string(row + 2));
    }

    // Track 8 is BGM 9 and track 9 BGM 10: the wind (8) is never offered. The enter button takes
    // decide and plays the track 5 frames later.
    Press(kActionCursorUp);
    Press(kActionDecide);
    EXPECT_EQ(sound.PlayingBgm(), kNoBgm);
    StepFrames(5);
    EXPECT_EQ(sound.PlayingBgm(), 9u);
    StepFrames(10);
    Press(kActionCursorDown);
    Press(kActionDecide);
    StepFrames(5);
    EXPECT_EQ(sound.PlayingBgm(), 10u);
    StepFrames(10);
    // Down on the tenth goes round to the first.
    Press(kActionCursorDown);
    EXPECT_EQ(Room().List().top, 0);
    EXPECT_EQ(Room().List().cursor, 0);
    // A click on a row picks it and plays its track at once.
    ClickAt(200, 168);
    StepFrames(1);
    EXPECT_EQ(Room().List().cursor, 3);
    EXPECT_EQ(sound.PlayingBgm(), 3u);

    // Closing silences the chosen track at once and, once the window is gone, starts the remembered one.
    Press(kActionCancel);
    ASSERT_TRUE(StepUntil([&] { return Room().State() == UIScreenState::kClosing; }, 10));
    EXPECT_EQ(sound.PlayingBgm(), kNoBgm);
    // The slide's fifteenth frame counts the one the closing began in.
    StepFrames(13);
    EXPECT_EQ(sound.PlayingBgm(), kNoBgm);
    StepFrames(1);
    EXPECT_FALSE(UI().IsOpen(kSlotSoundRoom));
    EXPECT_EQ(sound.PlayingBgm(), 1u);
    EXPECT_EQ(sound.LastRequestedBgm(), 1u);

    // Stopping keeps the last request: a room opened over silence still gives that track back.
    sound.StopBGM(0);
    UI().SetOpen(kSlotSoundRoom, true);
    ASSERT_TRUE(StepUntil([&] { return Room().State() == UIScreenState::kMain; }, 40));
    EXPECT_EQ(Room().RememberedBgm(), 1u);
}

TEST_F(SoundRoomTest, TheOptionsBeneathStandHiddenFromTheThirdFrameOfTheRoomOnAndComeBackAfterIt)
{
    const std::u16string optionsTitle = GetMessageTextExpanded("PAUSEUI_TEXT_OPTION");
    const auto optionsDrawn = [&] {
        const std::vector<support::RecordedTextDraw>& texts = frames.back().texts;
        return std::any_of(texts.begin(), texts.end(), [&](const support::RecordedTextDraw& text) { return text.text == optionsTitle; });
    };
    UI().SetOpen(kSlotOption, true);
    ASSERT_TRUE(StepUntil([&] { return UI().Get<GAME_CUIOption>()->State() == UIScreenState::kMain; }, 40));
    StepFrames(1);
    ASSERT_TRUE(optionsDrawn());

    UI().SetOpen(kSlotSoundRoom, true);
    std::vector<bool> drawn;
    for (int frame = 0; frame < 5; ++frame) {
        StepFrames(1);
        drawn.push_back(optionsDrawn());
    }
    EXPECT_EQ(drawn, (std::vector<bool>{true, true, false, false, false}));
    UI().SetOpen(kSlotSoundRoom, false);
    ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotSoundRoom); }, 40));
    StepFrames(1);
    EXPECT_TRUE(optionsDrawn());
}

}  // namespace
