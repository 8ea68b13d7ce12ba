// The pause menu: its cursor, cancel, the dead save row, the quit dialog and the return to the title.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "framework/file/save_file.h"
#include "framework/process/quitting.h"
#include "game/services/player/player_data.h"
#include "game/services/input/input_actions.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_manager.h"
#include "game/services/sound/sound_player.h"
#include "game/model/world/game_world.h"
#include "game/services/achievement/achievements.h"
#include "game/ui/screens/ui_common.h"
#include "game/ui/screens/ui_pause.h"
#include "game/ui/ui_draw.h"
#include "game/ui/widgets/ui_icon_object.h"
#include "game/ui/widgets/ui_null_object.h"
#include "platform/file_system.h"
#include "platform/little_endian.h"
#include "tests/support/game_fixture.h"
#include "tests/support/scratch_folder.h"

namespace {

using namespace save_layout;

class PauseTest : public support::GameFixture {
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        ASSERT_NO_FATAL_FAILURE(StartPlaying());
    }

    GAME_CUIPause& Pause() const { return *UI().Get<GAME_CUIPause>(); }

    void Open()
    {
        UI().SetOpen(kSlotPause, true);
        ASSERT_TRUE(StepUntil([&] { return Pause().State() == GAME_CUIPause::kMain; }, 40));
        StepFrames(1);
    }

    void Press(int action)
    {
        PressAction(action);
        StepFrames(2);
    }

    bool Played(std::uint32_t id) const
    {
        return std::any_of(frames.end() - 2, frames.end(), [&](const support::FrameRecord& frame) {
            return std::find(frame.soundEffects.begin(), frame.soundEffects.end(), id) != frame.soundEffects.end();
        });
    }

    // Up from continue reaches the quit entry's dialog choice under it.
    void OpenQuitDialog()
    {
        ASSERT_NO_FATAL_FAILURE(Open());
        Press(kActionCursorUp);
        ASSERT_EQ(Pause().GetCursor(), GAME_CUIPause::kRowQuit);
        Press(kActionDecide);
        ASSERT_TRUE(StepUntil([&] { return Pause().GetSubState() == GAME_CUIPause::kQuitDialog; }, 20));
        StepFrames(1);
    }

    // The quit dialog's return to the title, taken as the player takes it, up to the last frames of the fade.
    void FadeToTheTitleUntilItsLastFrames()
    {
        ASSERT_NO_FATAL_FAILURE(OpenQuitDialog());
        Press(kActionCursorUp);
        Press(kActionCursorUp);
        Press(kActionDecide);
        ASSERT_TRUE(StepUntil([&] { return Pause().GetSubState() == GAME_CUIPause::kFadingOut; }, 20));
        StepFrames(56);
    }

    // On a slow drive that fails as given: a write started now is still running as the fade ends.
    static void SlowDrive(platform::FileFault fault)
    {
        vesk::file::SetSaveJobsWaited(false);
        platform::SetFileFaultForTesting(fault);
    }

    // The title opens once the file was read again; the drive is then sound, and what was owed is written.
    void StepToTheTitleOnASoundDrive()
    {
        ASSERT_TRUE(StepUntil([&] { return UI().IsOpen(kSlotTitle); }, 100000));
        platform::SetFileFaultForTesting(platform::FileFault::None);
        vesk::file::SetSaveJobsWaited(true);
        ASSERT_TRUE(StepUntil([] {
            const GAME_CSaveManager* saves = GetSaveManager();
            return saves->IsIdle() && !saves->IsSystemSavePending() && saves->pendingSave == 0;
        }, 60));
    }

    void ExpectEarned(std::uint32_t achievement)
    {
        const std::uint32_t bit = 1u << achievement;
        EXPECT_NE(platform::ReadU32(GetWorkingSystemRecord(), system::kAchievementBits) & bit, 0u);
        const std::string file = support::ReadBytes(SavePath());
        ASSERT_EQ(file.size(), kImageSize);
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(file.data());
        EXPECT_NE(platform::ReadU32(bytes + kSystemRecordOffset + system::kAchievementBits) & bit, 0u);
    }
};

TEST_F(PauseTest, TheCursorSkipsTheSoundRoomUntilTheGameIsClearedAndCancelReturnsToTheGame)
{
    ASSERT_NO_FATAL_FAILURE(Open());
    EXPECT_TRUE(GetGameWorld()->held != 0);
    EXPECT_EQ(Pause().GetCursor(), GAME_CUIPause::kRowReturnToGame);
    EXPECT_FALSE(Pause().RowButton(GAME_CUIPause::kRowSoundRoom)->IsVisible());
    Press(kActionCursorUp);
    EXPECT_EQ(Pause().GetCursor(), GAME_CUIPause::kRowQuit);
    EXPECT_TRUE(Played(kSeCursor));
    Press(kActionCursorDown);
    EXPECT_EQ(Pause().GetCursor(), GAME_CUIPause::kRowReturnToGame);

    // Cancel is the return-to-game row, with its decide sound: the pause menu and the upper layer close.
    UI().SetOpen(kSlotPauseUpper, true);
    Press(kActionCancel);
    EXPECT_TRUE(Played(kSeDecide));
    ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotPause); }, 40));
    EXPECT_FALSE(UI().IsOpen(kSlotPauseUpper));
    EXPECT_EQ(GetGameWorld()->held, 0u);

    // A cleared game shows the sound room, and up from the first row reaches it.
    platform::WriteU32(GetWorkingSlot(), slot::kEndingSeen, 1);
    ASSERT_NO_FATAL_FAILURE(Open());
    EXPECT_TRUE(Pause().RowButton(GAME_CUIPause::kRowSoundRoom)->IsVisible());
    EXPECT_EQ(Pause().GetCursor(), GAME_CUIPause::kRowReturnToGame);
    Press(kActionCursorUp);
    EXPECT_EQ(Pause().GetCursor(), GAME_CUIPause::kRowSoundRoom);
}

TEST_F(PauseTest, WithoutARouteTheSaveRowIsGreyAndDead)
{
    GetGameWorld()->travel->routeManager.reset();
    ASSERT_NO_FATAL_FAILURE(Open());
    EXPECT_EQ(Pause().RowButton(GAME_CUIPause::kRowSave)->Color(), kUIGrey);
    EXPECT_EQ(Pause().RowFrame(GAME_CUIPause::kRowSave)->Color(), kUIGrey);
    for (int i = 0; i < 3; ++i) {
        Press(kActionCursorDown);
        StepFrames(1);
    }
    ASSERT_EQ(Pause().GetCursor(), GAME_CUIPause::kRowSave);
    Press(kActionDecide);
    StepFrames(10);
    EXPECT_FALSE(Played(kSeDecide));
    EXPECT_FALSE(UI().IsOpen(kSlotSaveSlots));
    EXPECT_EQ(Pause().GetSubState(), GAME_CUIPause::kMenu);
}

TEST_F(PauseTest, TheQuitDialogStartsOnContinueAndTheDesktopWritesNothing)
{
    const std::string before = support::ReadBytes(SavePath());
    ASSERT_NO_FATAL_FAILURE(OpenQuitDialog());
    EXPECT_EQ(Pause().GetDialogCursor(), GAME_CUIPause::kChoiceContinue);
    Press(kActionCursorUp);
    ASSERT_EQ(Pause().GetDialogCursor(), GAME_CUIPause::kChoiceDesktop);
    Press(kActionDecide);
    ASSERT_TRUE(StepUntil([] { return vesk::process::IsQuitting(); }, 20));
    StopGame();
    EXPECT_EQ(support::ReadBytes(SavePath()), before);
}

TEST_F(PauseTest, TheReturnToTheTitleFadesReadsTheFileAgainAndOpensTheTitle)
{
    GetPlayerData()->money = 777;  // not saved: the return to the title forgets it
    UI().MessageLog()->AddMessage(u"a line", 0);
    ASSERT_NO_FATAL_FAILURE(OpenQuitDialog());
    // A crew member, so that the HUD's return does not end the game at once.
    ASSERT_NE(AddCrewMember(), nullptr);
    UI().SetOpen(kSlotAllActorInfo, true);
    UI().SetOpen(kSlotCommon, true);
    UI().SetOpen(kSlotShipStatus, true);
    Press(kActionCursorUp);
    Press(kActionCursorUp);
    ASSERT_EQ(Pause().GetDialogCursor(), GAME_CUIPause::kChoiceTitle);
    Press(kActionDecide);
    ASSERT_TRUE(StepUntil([&] { return Pause().GetSubState() == GAME_CUIPause::kFadingOut; }, 20));
    EXPECT_EQ(Pause().GetFadeCounter(), 1);
    EXPECT_EQ(GetSoundPlayer()->PlayingBgm(), kNoBgm);
    StepFrames(1);
    EXPECT_FALSE(UI().IsOpen(kSlotAllActorInfo) && UI().Get<GAME_CUIScreen>(kSlotAllActorInfo)->State() != UIScreenState::kClosing);

    // Sixty frames of fade, then the file is read again.
    StepFrames(57);
    EXPECT_EQ(Pause().GetSubState(), GAME_CUIPause::kFadingOut);
    StepFrames(2);
    EXPECT_EQ(Pause().GetSubState(), GAME_CUIPause::kReturningToTitle);
    EXPECT_EQ(GetSaveManager()->state, GAME_CSaveManager::kLoading);
    ASSERT_TRUE(StepUntil([&] { return UI().IsOpen(kSlotTitle); }, 120));
    EXPECT_EQ(GetSaveManager()->lastResult, GAME_CSaveManager::kOk);
    EXPECT_EQ(UI().MessageLog()->CountLines(), 0);
    EXPECT_EQ(GetPlayerData()->money, 0);
    StepFrames(1);
    EXPECT_FALSE(UI().IsOpen(kSlotCommon) && UI().Get<GAME_CUICommon>()->State() != UIScreenState::kClosing);
    ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotPause); }, 40));
    EXPECT_FALSE(UI().IsOpen(kSlotShipStatus));
}

TEST_F(PauseTest, ABrokenFileMetByTheReturnToTheTitleIsKeptAsABackupAndWrittenAnew)
{
    std::string broken = support::ReadBytes(SavePath());
    broken[SlotOffset(3) + 100] ^= 0x5A;  // the checksum no longer matches
    {
        std::ofstream out(SavePath(), std::ios::binary | std::ios::trunc);
        out.write(broken.data(), static_cast<std::streamsize>(broken.size()));
    }
    ASSERT_NO_FATAL_FAILURE(OpenQuitDialog());
    Press(kActionCursorUp);
    Press(kActionCursorUp);
    Press(kActionDecide);
    ASSERT_TRUE(StepUntil([&] { return UI().IsOpen(kSlotTitle); }, 200));
    ASSERT_TRUE(StepUntilSaveIdle());
    ASSERT_TRUE(StepUntil([] { return GetSaveManager()->IsIdle() && GetSaveManager()->pendingSave == 0; }, 60));
    ASSERT_TRUE(StepUntilSaveIdle());
    EXPECT_EQ(support::ReadBytes(BackupPath()), broken);
    const std::string rewritten = support::ReadBytes(SavePath());
    ASSERT_EQ(rewritten.size(), kImageSize);
    EXPECT_TRUE(CheckSaveImage(std::span(reinterpret_cast<const std::uint8_t*>(rewritten.data()), rewritten.size())));
}

TEST_F(PauseTest, ASaveStillBeingWrittenWhenTheFadeEndsIsWaitedForAndTheFileReadAgain)
{
    const std::string before = support::ReadBytes(SavePath());
    ASSERT_NO_FATAL_FAILURE(FadeToTheTitleUntilItsLastFrames());
    // A save of the settings on a slow drive that is full: still being written as the fade ends,
    // then failing. The good file must be read again, not taken for broken and set aside.
    SlowDrive(platform::FileFault::SlowShortWrite);
    ASSERT_TRUE(GetSaveManager()->RequestSaveSystem());
    StepFrames(4);
    ASSERT_EQ(Pause().GetSubState(), GAME_CUIPause::kReturningToTitle);
    ASSERT_TRUE(StepUntil([&] { return UI().IsOpen(kSlotTitle); }, 100000));
    platform::SetFileFaultForTesting(platform::FileFault::None);
    vesk::file::SetSaveJobsWaited(true);
    ASSERT_TRUE(StepUntil([] { return GetSaveManager()->IsIdle() && GetSaveManager()->pendingSave == 0; }, 60));
    StepFrames(2);
    EXPECT_FALSE(std::filesystem::exists(BackupPath()));
    EXPECT_EQ(support::ReadBytes(SavePath()), before);
    EXPECT_EQ(GetSaveManager()->lastResult, GAME_CSaveManager::kOk);
}

// An achievement earned while a save is written as the fade ends: its own write waits for that one,
// and the file is read again in the frame that one ends. What was earned must stay earned.
TEST_F(PauseTest, AnAchievementEarnedWhileASaveIsWrittenOutlastsTheReturnToTheTitle)
{
    constexpr std::uint32_t kEarned = 5;
    ASSERT_NO_FATAL_FAILURE(FadeToTheTitleUntilItsLastFrames());
    SlowDrive(platform::FileFault::SlowWrite);
    ASSERT_TRUE(GetSaveManager()->RequestSaveSystem());
    UnlockAchievement(kEarned);
    ASSERT_TRUE(GetSaveManager()->IsSystemSavePending());
    ASSERT_NO_FATAL_FAILURE(StepToTheTitleOnASoundDrive());
    ExpectEarned(kEarned);
}

// The achievement's own write fails on a full drive as the fade ends: the file read again does not
// hold it, yet the game keeps it and writes it once the drive takes it.
TEST_F(PauseTest, AnAchievementWhoseWriteFailsAsTheFadeEndsIsKeptAndWrittenLater)
{
    constexpr std::uint32_t kEarned = 9;
    ASSERT_NO_FATAL_FAILURE(FadeToTheTitleUntilItsLastFrames());
    SlowDrive(platform::FileFault::SlowShortWrite);
    UnlockAchievement(kEarned);
    ASSERT_FALSE(GetSaveManager()->IsIdle());
    ASSERT_NO_FATAL_FAILURE(StepToTheTitleOnASoundDrive());
    ExpectEarned(kEarned);
}

}  // namespace
