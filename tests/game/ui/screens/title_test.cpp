// The title screen: the first start's menu, the pointer and the keys on the menu, exit, language pictures and continue.
#include <gtest/gtest.h>

#include <algorithm>

#include "framework/process/quitting.h"
#include "game/services/player/player_data.h"
#include "game/services/input/input_actions.h"
#include "game/services/save/save_image.h"
#include "game/app/scene/scene_initialize.h"
#include "game/services/sound/sound_player.h"
#include "game/services/text/message_text.h"
#include "game/model/session/play_session.h"
#include "game/model/world/camera2d.h"
#include "game/model/world/game_world.h"
#include "game/ui/screens/ui_achieve_list.h"
#include "game/ui/screens/ui_title.h"
#include "tests/support/game_fixture.h"
#include "tests/support/scratch_folder.h"

namespace {

class TitleTest : public support::GameFixture {
protected:
    GAME_CUITitle& Title() const { return *UI().Get<GAME_CUITitle>(); }

    bool PlayedInLastFrame(std::uint32_t id) const
    {
        const auto& effects = frames.back().soundEffects;
        return std::find(effects.begin(), effects.end(), id) != effects.end();
    }

    // Frames until the title waits for a button.
    void ReachPressStart()
    {
        ASSERT_TRUE(StepUntil([&] { return Title().GetSubState() == GAME_CUITitle::kPressStart; }, 300));
    }

    // A key past the prompt, and the frame after it.
    void OpenMenu()
    {
        ASSERT_NO_FATAL_FAILURE(ReachPressStart());
        PressAction(kActionDecide);
        StepFrames(2);
        ASSERT_GT(Title().EntryCount(), 0);
    }

    int CountTextDraws(const std::u16string& text) const
    {
        const auto& texts = frames.back().texts;
        return static_cast<int>(std::count_if(texts.begin(), texts.end(), [&](const auto& draw) { return draw.text == text; }));
    }
};

TEST_F(TitleTest, TheFirstStartShowsTheLogosThenTheFourEntryMenuAfterAKey)
{
    StartGame();
    ASSERT_TRUE(StepUntilStartupState(GAME_CSceneInitialize::kCompanyLogo));
    ASSERT_TRUE(StepUntilStartupState(GAME_CSceneInitialize::kEngineLogo));
    ASSERT_TRUE(StepUntilMainGame());
    ASSERT_TRUE(UI().IsOpen(kSlotTitle));
    // The logo falls, bounces and settles before the prompt comes; the title's music plays.
    EXPECT_EQ(Title().State(), GAME_CUITitle::kOpening);
    EXPECT_LT(Title().LogoY(), 0.0f);
    EXPECT_EQ(GetSoundPlayer()->PlayingBgm(), 0u);
    ASSERT_NO_FATAL_FAILURE(ReachPressStart());
    EXPECT_EQ(Title().LogoY(), 96.0f);
    for (int i = 0; i < GAME_CUITitle::kImageCount; ++i) EXPECT_NE(Title().GetTexture(i), -1) << "picture " << i;

    // The prompt is drawn once a frame, although the screen manager runs both of the title's passes.
    StepFrames(1);
    EXPECT_EQ(CountTextDraws(GetMessageTextExpanded("TITLE_PRESS_START")), 1);

    // Nothing has been played in the save the start-up wrote, so the menu has four entries.
    PressAction(kActionDecide);
    StepFrames(1);
    EXPECT_TRUE(PlayedInLastFrame(kSeDecide));
    StepFrames(1);
    EXPECT_EQ(Title().GetSubState(), GAME_CUITitle::kMenuWithoutSave);
    EXPECT_EQ(Title().EntryCount(), 4);
    EXPECT_EQ(Title().GetCursor(), 0);
}

TEST_F(TitleTest, APointerMovesTheCursorFirstAndRunsTheEntryOnALaterFrameWhileHeldKeysBlockDecide)
{
    StartToMainGame();
    ASSERT_NO_FATAL_FAILURE(OpenMenu());
    ASSERT_EQ(Title().EntryCount(), 4);

    // Holding down blocks decide for as long as it is held; the cursor moves once.
    HoldAction(kActionCursorDown, 10);
    StepFrames(1);
    EXPECT_TRUE(PlayedInLastFrame(kSeCursor));
    EXPECT_EQ(Title().GetCursor(), 1);
    PressAction(kActionDecide);
    StepFrames(1);
    EXPECT_FALSE(PlayedInLastFrame(kSeDecide));
    EXPECT_FALSE(UI().IsOpen(kSlotAchieveList));
    StepFrames(10);

    // The pointer on the third entry (options): the cursor moves there, nothing runs.
    ClickAt(320, 230);
    StepFrames(1);
    EXPECT_EQ(Title().GetCursor(), 2);
    EXPECT_TRUE(PlayedInLastFrame(kSeCursor));
    EXPECT_FALSE(UI().IsOpen(kSlotOption));
    // On the entry under the cursor it runs, from the title.
    StepFrames(1);
    ClickAt(320, 200);
    StepFrames(2);
    EXPECT_EQ(Title().GetCursor(), 1);
    ClickAt(320, 200);
    StepFrames(1);
    EXPECT_TRUE(PlayedInLastFrame(kSeDecide));
    ASSERT_TRUE(UI().IsOpen(kSlotAchieveList));
    EXPECT_EQ(UI().Get<GAME_CUIAchieveList>()->openedFromTitle, 1u);
    // The list is left with cancel; the title stays where it was.
    StepFrames(20);
    PressAction(kActionCancel);
    ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotAchieveList); }, 40));
    EXPECT_FALSE(UI().IsOpen(kSlotPause));
    EXPECT_EQ(Title().GetSubState(), GAME_CUITitle::kMenuWithoutSave);
}

TEST_F(TitleTest, ExitSetsTheQuitFlagAndWritesNothing)
{
    StartToMainGame();
    const std::string before = support::ReadBytes(SavePath());
    ASSERT_NO_FATAL_FAILURE(OpenMenu());
    HoldAction(kActionCursorUp, 1);  // up from the first entry wraps to exit
    StepFrames(2);
    ASSERT_EQ(Title().GetCursor(), 3);
    PressAction(kActionDecide);
    StepFrames(1);
    EXPECT_TRUE(vesk::process::IsQuitting());
    StopGame();
    EXPECT_EQ(support::ReadBytes(SavePath()), before);
}

TEST_F(TitleTest, TheChineseLanguagesShowTheEnglishPicturesAndAPlayedSaveGivesSixEntries)
{
    ASSERT_NO_FATAL_FAILURE(StartPlaying());
    GetPlayerData()->language = 4;
    platform::WriteU32(GetWorkingSlot(), save_layout::slot::kPlaySeconds, 1);
    UI().SetOpen(kSlotTitle, true);
    ASSERT_NO_FATAL_FAILURE(OpenMenu());
    EXPECT_EQ(Title().GetLanguageVariant(), 1);
    EXPECT_EQ(Title().EntryCount(), 6);

    // Continue loads nothing: the zoom is already at 2 when it starts, so play starts in its first frame.
    PressAction(kActionDecide);
    StepFrames(2);
    EXPECT_TRUE(UI().IsOpen(kSlotCommon));
    EXPECT_TRUE(UI().IsOpen(kSlotShipStatus));
    StepFrames(1);
    EXPECT_EQ(Title().State(), GAME_CUITitle::kClosing);
    // No music is stored with this slot: the desert plays.
    EXPECT_EQ(GetSoundPlayer()->PlayingBgm(), 1u);
    StepFrames(2);
    EXPECT_FALSE(UI().IsOpen(kSlotTitle));
    for (int i = 0; i < GAME_CUITitle::kImageCount; ++i) EXPECT_EQ(Title().GetTexture(i), -1);
}

TEST_F(TitleTest, ContinuingAGameOnAWastelandRoadWithNoStoredMusicPlaysTheRoadsOwnMusic)
{
    // A slot on the road from Rusty Gear Post to Mirage Market, whose music is the wasteland's
    // (track 2), applied as a load applies it; it stores no music of its own.
    ASSERT_NO_FATAL_FAILURE(StartPlaying());
    platform::WriteU32(GetWorkingSlot(), save_layout::slot::kRouteId, 3);
    platform::WriteU32(GetWorkingSlot(), save_layout::slot::kClockBgm, 0xFFFFFFFFu);
    SetupPlaySession(GetWorkingSlot(), GetWorkingSystemRecord());
    ASSERT_EQ(GetGameWorld()->travel->routeManager->GetRouteId(), 3u);
    platform::WriteU32(GetWorkingSlot(), save_layout::slot::kPlaySeconds, 1);
    UI().SetOpen(kSlotTitle, true);
    ASSERT_NO_FATAL_FAILURE(OpenMenu());
    ASSERT_EQ(Title().EntryCount(), 6);
    PressAction(kActionDecide);
    ASSERT_TRUE(StepUntil([&] { return UI().IsOpen(kSlotCommon); }, 60));
    EXPECT_EQ(GetSoundPlayer()->PlayingBgm(), 2u);
    // The road's music stays: nothing fades it out for another.
    StepFrames(400);
    EXPECT_EQ(GetSoundPlayer()->PlayingBgm(), 2u);
}

// A data set whose camera comes no closer than 1.8: the title's view stops there, and so does the
// continue's zoom towards 4; play starts all the same instead of the title waiting for 2 for ever.
TEST_F(TitleTest, ContinueStartsPlayWhenTheCameraCannotComeAsCloseAsTheTitlesView)
{
    ASSERT_NO_FATAL_FAILURE(StartPlaying());
    GAME_CCamera2D& camera = *GetGameWorld()->camera;
    camera.zoomMax = 1.8f;
    platform::WriteU32(GetWorkingSlot(), save_layout::slot::kPlaySeconds, 1);
    UI().SetOpen(kSlotTitle, true);
    ASSERT_NO_FATAL_FAILURE(OpenMenu());
    ASSERT_EQ(Title().EntryCount(), 6);
    EXPECT_FLOAT_EQ(camera.zoom, 1.8f);
    PressAction(kActionDecide);
    ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotTitle); }, 60));
    EXPECT_TRUE(UI().IsOpen(kSlotCommon));
    EXPECT_TRUE(UI().IsOpen(kSlotShipStatus));
    EXPECT_FLOAT_EQ(camera.zoom, 1.8f);
}

}  // namespace
