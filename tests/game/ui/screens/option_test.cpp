// The options screen: its ring of rows and buttons, the sliders and toggles, full screen and the window size, live volumes, leaving, defaults, saving with its failure, and a language change that survives a restart.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "framework/file/save_file.h"
#include "framework/graphics/device_record.h"
#include "framework/input/input_manager.h"
#include "framework/text/font_manager.h"
#include "framework/window/main_window.h"
#include "game/model/world/camera2d.h"
#include "game/model/world/game_world.h"
#include "game/services/input/input_actions.h"
#include "game/services/input/input_map.h"
#include "game/services/player/player_data.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_manager.h"
#include "game/services/sound/sound_player.h"
#include "game/services/text/language.h"
#include "game/services/text/message_text.h"
#include "game/app/scene/scene_initialize.h"
#include "game/ui/screens/ui_keyboard_config.h"
#include "game/ui/screens/ui_option.h"
#include "game/ui/screens/ui_title.h"
#include "game/ui/selection_dialog.h"
#include "game/ui/ui_draw.h"
#include "platform/file_system.h"
#include "platform/thread.h"
#include "platform/input/virtual_pad.h"
#include "platform/little_endian.h"
#include "tests/game/ui/ui_test_base.h"
#include "tests/support/game_fixture.h"
#include "tests/support/log_capture.h"
#include "tests/support/scoped_env.h"
#include "tests/support/scratch_folder.h"

namespace {

using namespace save_layout;
using Page = GAME_CUISettingsWindow::Page;

// The shared dialog's measure of the UI tests.
struct DialogFit : support::UITest {
    using UITest::ExpectFitsDialog;
};

class OptionTest : public support::GameFixture {
protected:
    void TearDown() override
    {
        vesk::window::SetDisplaySizesForTesting(std::nullopt);
        GameFixture::TearDown();
    }

    GAME_CUIOption& Options() const { return *UI().Get<GAME_CUIOption>(); }

    void Open(bool fromTitle)
    {
        UI().SetOpen(kSlotOption, true);
        if (fromTitle) Options().openedFromTitle = 1;
        ASSERT_TRUE(StepUntil([&] { return Options().State() == UIScreenState::kMain; }, 40));
        StepFrames(1);
    }

    void Press(int action, int frames = 2)
    {
        PressAction(action);
        StepFrames(frames);
    }

    void MoveTo(int cursor)
    {
        for (int i = 0; i < 40 && Options().Cursor() != cursor; ++i) Press(kActionCursorDown);
        ASSERT_EQ(Options().Cursor(), cursor);
    }

    // A slider row's key held for the frames given.
    void HoldOnRow(int row, int action, int frames)
    {
        ASSERT_NO_FATAL_FAILURE(MoveTo(row));
        HoldAction(action, frames);
        StepFrames(frames);
    }

    // Decide on a button, then the question it asks.
    void PressButton(int button, Page question)
    {
        ASSERT_NO_FATAL_FAILURE(MoveTo(GAME_CUIOption::kRowCount + button));
        PressAction(kActionDecide);
        ASSERT_TRUE(StepUntil([&] { return Options().GetPage() == question; }, 20));
    }

    int CountSound(std::uint32_t id, int lastFrames) const
    {
        int count = 0;
        for (auto frame = frames.end() - lastFrames; frame != frames.end(); ++frame) {
            count += static_cast<int>(std::count(frame->soundEffects.begin(), frame->soundEffects.end(), id));
        }
        return count;
    }

    static bool MessageHas(const char* key)
    {
        return GetInDisplaySelection()->Message().find(GetMessageTextExpanded(key)) != std::u16string::npos;
    }

    std::uint16_t StoredU16(std::size_t offset) const { return platform::ReadU16(GetWorkingSystemRecord(), offset); }
};

TEST_F(OptionTest, TheRingTheSlidersTheTogglesAndFullScreenWithTheWindowSizeFittedToTheScreen)
{
    vesk::window::SetDisplaySizesForTesting(vesk::window::DisplaySizes{800, {1920.0f, 1200.0f}});
    ASSERT_NO_FATAL_FAILURE(StartPlaying());
    ASSERT_NO_FATAL_FAILURE(Open(false));
    EXPECT_EQ(Options().Cursor(), 0);
    Press(kActionCursorUp);
    EXPECT_EQ(Options().Cursor(), GAME_CUIOption::kRowCount + GAME_CUISettingsWindow::kButtonDefault);
    Press(kActionCursorDown);
    EXPECT_EQ(Options().Cursor(), 0);
    EXPECT_EQ(Options().Top(), 0);
    Press(kActionCursorUp);
    Press(kActionCursorUp);
    Press(kActionCursorUp);
    EXPECT_EQ(Options().Cursor(), GAME_CUIOption::kRowCount + GAME_CUISettingsWindow::kButtonSave);
    Press(kActionCursorUp);
    EXPECT_EQ(Options().Cursor(), GAME_CUIOption::kRowInstructions);
    EXPECT_EQ(Options().Top(), 7);
    EXPECT_FALSE(Options().IsRowShown(0));

    // Right held 9 frames on the wheel row: a step on the first frame and every fourth after.
    Press(kActionCursorDown);
    Press(kActionCursorDown);
    Press(kActionCursorDown);
    Press(kActionCursorDown);
    ASSERT_NO_FATAL_FAILURE(MoveTo(GAME_CUIOption::kRowWheel));
    HoldAction(kActionCursorRight, 9);
    StepFrames(9);
    EXPECT_EQ(Options().Work().U16(system::kWheelSensitivity), 53);
    EXPECT_EQ(CountSound(kSeCursor, 9), 3);
    StepFrames(1);
    EXPECT_EQ(Options().ValueText(GAME_CUIOption::kRowWheel), u"53 \uFF05");
    Options().Work().SetU16(system::kCameraSpeed, 0);
    StepFrames(1);
    EXPECT_EQ(Options().ValueText(GAME_CUIOption::kRowCamera), u"50 \uFF05");
    Options().Work().SetU16(system::kAutoSaveMinutes, 0);
    StepFrames(1);
    EXPECT_EQ(Options().ValueText(GAME_CUIOption::kRowAutoSaveMinutes), GetMessageTextExpanded("ADD_TEXT_UI_OPTION_AUTOSAVEOFF"));

    // Full screen: the window-size row is skipped, off limits, at 200 and shows the monitor.
    Press(kActionCursorUp);
    Press(kActionCursorUp);
    ASSERT_EQ(Options().Cursor(), GAME_CUIOption::kRowFullScreen);
    Press(kActionDecide);
    EXPECT_EQ(Options().Work().U32(system::kFullScreen), 1u);
    EXPECT_EQ(Options().Work().U16(system::kWindowSize), 200);
    EXPECT_EQ(Options().NameColor(GAME_CUIOption::kRowWindowSize), GetUIColor(5));
    EXPECT_EQ(Options().ValueText(GAME_CUIOption::kRowWindowSize), u"1920 * 1200");
    Press(kActionCursorDown);
    EXPECT_EQ(Options().Cursor(), GAME_CUIOption::kRowWheel);
    Press(kActionCursorUp);
    EXPECT_EQ(Options().Cursor(), GAME_CUIOption::kRowFullScreen);
    // Back in a window, 1920 x 1080 does not fit a screen 800 high: 1280 x 720 does.
    Press(kActionDecide);
    EXPECT_EQ(Options().Work().U16(system::kWindowSize), 100);
    EXPECT_EQ(Options().ValueText(GAME_CUIOption::kRowWindowSize), u"1280 * 720");
    Press(kActionCursorDown);
    EXPECT_EQ(Options().Cursor(), GAME_CUIOption::kRowWindowSize);
    Press(kActionCursorRight);
    EXPECT_EQ(Options().Work().U16(system::kWindowSize), 200);
    EXPECT_EQ(Options().NameColor(GAME_CUIOption::kRowWindowSize), GetUIColor(5));

    // Saving fits it again and asks the window for 1280 x 720.
    ASSERT_NO_FATAL_FAILURE(PressButton(GAME_CUISettingsWindow::kButtonSave, Page::kSaveQuestion));
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
    ASSERT_TRUE(StepUntil([&] { return Options().GetPage() == Page::kSaveFinished; }, 600));
    EXPECT_EQ(StoredU16(system::kWindowSize), 100);
    EXPECT_EQ(StoredU16(system::kWheelSensitivity), 53);
    const vesk::graphics::DeviceRecord* device = vesk::graphics::GetDeviceRecord();
    ASSERT_NE(device, nullptr);
    EXPECT_TRUE(device->windowWidth == 1280 || device->request.width == 1280.0f);
}

// In full screen the window-size row is passed over by the keys; the wheel scrolls the rows under
// the cursor and must pass over it too.
TEST_F(OptionTest, InFullScreenTheWheelNeverPutsTheCursorOnTheWindowSizeRow)
{
    ASSERT_NO_FATAL_FAILURE(StartPlaying());
    ASSERT_NO_FATAL_FAILURE(Open(false));
    ASSERT_NO_FATAL_FAILURE(MoveTo(GAME_CUIOption::kRowFullScreen));
    Press(kActionDecide);
    ASSERT_EQ(Options().Work().U32(system::kFullScreen), 1u);
    Wheel(-1);
    StepFrames(2);
    EXPECT_EQ(Options().Top(), 1);
    EXPECT_EQ(Options().Cursor(), GAME_CUIOption::kRowWheel);
    Wheel(1);
    StepFrames(2);
    EXPECT_EQ(Options().Top(), 0);
    EXPECT_EQ(Options().Cursor(), GAME_CUIOption::kRowFullScreen);
    // In a window the row is the cursor's like any other.
    Press(kActionDecide);
    ASSERT_EQ(Options().Work().U32(system::kFullScreen), 0u);
    Wheel(-1);
    StepFrames(2);
    EXPECT_EQ(Options().Cursor(), GAME_CUIOption::kRowWindowSize);
}

// Neighbouring rows' knobs at one value, or toggles, stand one above the other: each must keep
// between the rules of its own row, or two of them read as one across both rows.
TEST_F(OptionTest, EachSliderKnobAndToggleKeepsBetweenTheRulesOfItsRow)
{
    ASSERT_NO_FATAL_FAILURE(StartPlaying());
    ASSERT_NO_FATAL_FAILURE(Open(false));
    // Window size 100 of 200 and wheel 50 of 100 put the knobs of two neighbouring rows at one x.
    Options().Work().SetU16(system::kWindowSize, 100);
    Options().Work().SetU16(system::kWheelSensitivity, 50);
    StepFrames(2);
    const std::int32_t rule = FindUISprite("ui_separator_big");
    std::vector<float> rules;
    for (const support::RecordedSpriteDraw& draw : frames.back().sprites) {
        if (draw.group == kUISpriteGroup && draw.ref == rule) rules.push_back(draw.y);
    }
    ASSERT_FALSE(rules.empty());
    for (const char* name : {"ui_map_sliderbar", "ui_option_toggle_bg_on", "ui_option_toggle_bg_off"}) {
        const std::int32_t sprite = FindUISprite(name);
        const float height = UISpriteSize(sprite).y;
        int drawn = 0;
        for (const support::RecordedSpriteDraw& draw : frames.back().sprites) {
            if (draw.group != kUISpriteGroup || draw.ref != sprite) continue;
            ++drawn;
            for (const float y : rules) {
                EXPECT_FALSE(y >= draw.y && y < draw.y + height) << name << " at " << draw.y << " runs across the rule at " << y;
            }
        }
        EXPECT_GT(drawn, 0) << name;
    }
}

TEST_F(OptionTest, VolumesActAtOnceLeavingUndoesThemTripsKeepEditsAndDefaultsWriteNothing)
{
    ASSERT_NO_FATAL_FAILURE(StartPlaying());
    UI().SetOpen(kSlotPause, true);
    StepFrames(2);
    ASSERT_NO_FATAL_FAILURE(Open(false));
    // Unedited, leaving asks nothing and the pause menu comes back.
    Press(kActionCancel, 1);
    ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotOption); }, 40));
    EXPECT_TRUE(UI().IsOpen(kSlotPause));

    ASSERT_NO_FATAL_FAILURE(Open(false));
    ASSERT_NO_FATAL_FAILURE(MoveTo(GAME_CUIOption::kRowBgm));
    HoldAction(kActionCursorLeft, 137);
    StepFrames(137);
    EXPECT_EQ(Options().Work().U16(system::kBgmVolume), 40);
    EXPECT_FLOAT_EQ(GetSoundPlayer()->bgmFactor, 0.40f);
    EXPECT_EQ(StoredU16(system::kBgmVolume), 75);

    // A trip to the keyboard configuration keeps the edit.
    ASSERT_NO_FATAL_FAILURE(MoveTo(GAME_CUIOption::kRowKeyboardConfig));
    Press(kActionDecide);
    ASSERT_TRUE(StepUntil([&] { return UI().IsOpen(kSlotKeyboardConfig) && !UI().IsOpen(kSlotOption); }, 40));
    auto* keys = UI().Get<GAME_CUIKeyboardConfig>();
    ASSERT_TRUE(StepUntil([&] { return keys->State() == UIScreenState::kMain; }, 40));
    Press(kActionCancel, 1);
    ASSERT_TRUE(StepUntil([&] { return Options().State() == UIScreenState::kMain; }, 60));
    EXPECT_EQ(Options().Work().U16(system::kBgmVolume), 40);

    // Defaults fill the copy and write nothing.
    const std::string file = support::ReadBytes(SavePath());
    ASSERT_NO_FATAL_FAILURE(PressButton(GAME_CUISettingsWindow::kButtonDefault, Page::kDefaultQuestion));
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
    ASSERT_TRUE(StepUntil([&] { return Options().GetPage() == Page::kDefaultsNotice; }, 10));
    EXPECT_TRUE(MessageHas("OPTION_SAVE_FINISHED"));
    EXPECT_EQ(Options().Work().U16(system::kBgmVolume), 75);
    EXPECT_EQ(support::ReadBytes(SavePath()), file);
    StepFrames(15);
    PressAction(kActionDecide);
    ASSERT_TRUE(StepUntil([&] { return Options().GetPage() == Page::kBrowse; }, 30));

    // An edit left behind is asked about; yes restores the stored volume at once.
    ASSERT_NO_FATAL_FAILURE(MoveTo(GAME_CUIOption::kRowBgm));
    HoldAction(kActionCursorLeft, 1);
    StepFrames(2);
    EXPECT_FLOAT_EQ(GetSoundPlayer()->bgmFactor, 0.74f);
    Press(kActionCancel, 1);
    ASSERT_TRUE(StepUntil([&] { return Options().GetPage() == Page::kLeaveQuestion; }, 20));
    EXPECT_TRUE(MessageHas("OPTION_NOSAVE_YESNO"));
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
    ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotOption); }, 40));
    EXPECT_FLOAT_EQ(GetSoundPlayer()->bgmFactor, 0.75f);
    EXPECT_TRUE(UI().IsOpen(kSlotPause));
    EXPECT_EQ(support::ReadBytes(SavePath()), file);
}

// The defaults are heard at once, as an edit of the sliders is: the music does not stay at the volume
// the sliders no longer show, neither before saving nor after.
TEST_F(OptionTest, RestoredDefaultsPutTheirVolumesInForceAtOnceAndSavedKeepThem)
{
    ASSERT_NO_FATAL_FAILURE(StartPlaying());
    ASSERT_NO_FATAL_FAILURE(Open(false));
    ASSERT_NO_FATAL_FAILURE(HoldOnRow(GAME_CUIOption::kRowBgm, kActionCursorLeft, 137));
    ASSERT_NO_FATAL_FAILURE(HoldOnRow(GAME_CUIOption::kRowSe, kActionCursorLeft, 5));
    ASSERT_FLOAT_EQ(GetSoundPlayer()->bgmFactor, 0.40f);
    ASSERT_FLOAT_EQ(GetSoundPlayer()->seVolume, 0.73f);

    ASSERT_NO_FATAL_FAILURE(PressButton(GAME_CUISettingsWindow::kButtonDefault, Page::kDefaultQuestion));
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
    ASSERT_TRUE(StepUntil([&] { return Options().GetPage() == Page::kDefaultsNotice; }, 10));
    EXPECT_EQ(Options().Work().U16(system::kBgmVolume), 75);
    EXPECT_FLOAT_EQ(GetSoundPlayer()->bgmFactor, 0.75f);
    EXPECT_FLOAT_EQ(GetSoundPlayer()->seVolume, 0.75f);
    EXPECT_EQ(Options().Cursor(), GAME_CUIOption::kRowBgm);
    EXPECT_EQ(CountSound(kSeCursor, 1), 1);

    StepFrames(15);
    PressAction(kActionDecide);
    ASSERT_TRUE(StepUntil([&] { return Options().GetPage() == Page::kBrowse; }, 30));
    ASSERT_NO_FATAL_FAILURE(PressButton(GAME_CUISettingsWindow::kButtonSave, Page::kSaveQuestion));
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
    ASSERT_TRUE(StepUntil([&] { return Options().GetPage() == Page::kSaveFinished; }, 600));
    EXPECT_EQ(StoredU16(system::kBgmVolume), 75);
    EXPECT_EQ(StoredU16(system::kSeVolume), 75);
    EXPECT_FLOAT_EQ(GetSoundPlayer()->bgmFactor, 0.75f);
    EXPECT_FLOAT_EQ(GetSoundPlayer()->seVolume, 0.75f);
}

// Without a sound device the game says why, once, asks the player past it and plays on silently;
// the volume sliders still take their settings, and a save keeps them.
TEST_F(OptionTest, WithNoSoundDeviceTheVolumesStillTakeTheirSettingsAndASaveKeepsThem)
{
    support::ScopedEnv noDevice("SDL_AUDIODRIVER", "no_such_driver");
    support::LogCapture log;
    ASSERT_NO_FATAL_FAILURE(StartGame());
    ASSERT_TRUE(StepUntilStartupState(GAME_CSceneInitialize::kNoSoundDevice));
    StepFrames(1);
    AnswerDialog(0);
    ASSERT_TRUE(StepUntilMainGame());
    ASSERT_TRUE(StepUntilSaveIdle());
    ASSERT_TRUE(CloseScreen(kSlotTitle));
    StepFrames(300);

    ASSERT_NO_FATAL_FAILURE(Open(false));
    ASSERT_NO_FATAL_FAILURE(HoldOnRow(GAME_CUIOption::kRowBgm, kActionCursorLeft, 5));
    ASSERT_NO_FATAL_FAILURE(HoldOnRow(GAME_CUIOption::kRowSe, kActionCursorRight, 5));
    ASSERT_NO_FATAL_FAILURE(PressButton(GAME_CUISettingsWindow::kButtonSave, Page::kSaveQuestion));
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
    ASSERT_TRUE(StepUntil([&] { return Options().GetPage() == Page::kSaveFinished; }, 600));
    const std::string file = support::ReadBytes(SavePath());
    ASSERT_EQ(file.size(), kImageSize);
    const auto* system = reinterpret_cast<const std::uint8_t*>(file.data()) + kSystemRecordOffset;
    EXPECT_EQ(platform::ReadU16(system + system::kBgmVolume), 73);
    EXPECT_EQ(platform::ReadU16(system + system::kSeVolume), 77);
    EXPECT_FLOAT_EQ(GetSoundPlayer()->bgmFactor, 0.73f);
    EXPECT_FLOAT_EQ(GetSoundPlayer()->seVolume, 0.77f);

    const std::vector<std::string> lines = log.Lines();
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& line) { return line.find("no sound device") != std::string::npos; }),
              1);
}

// The wheel sensitivity sets how far a notch zooms the view onto the ship: a tenth of the zoom at the
// default 50 %, twice that at 100 %, nothing at 0 %; the setting is the saved one, edits count only once saved.
TEST_F(OptionTest, TheSavedWheelSensitivitySetsHowFarANotchZoomsTheShip)
{
    ASSERT_NO_FATAL_FAILURE(StartPlaying());
    GAME_CCamera2D& camera = *GetGameWorld()->camera;
    const auto zoomOfANotch = [&] {
        camera.SetZoom(2.0f, 0);
        StepFrames(1);
        Wheel(1);
        StepFrames(1);
        return camera.zoom;
    };
    ASSERT_FLOAT_EQ(zoomOfANotch(), 2.2f);

    const auto saveSensitivity = [&](std::uint16_t percent) {
        // As from the title: leaving opens no pause menu over the view.
        ASSERT_NO_FATAL_FAILURE(Open(true));
        Options().Work().SetU16(system::kWheelSensitivity, percent);
        StepFrames(1);
        ASSERT_NO_FATAL_FAILURE(PressButton(GAME_CUISettingsWindow::kButtonSave, Page::kSaveQuestion));
        AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
        ASSERT_TRUE(StepUntil([&] { return Options().GetPage() == Page::kSaveFinished; }, 600));
        StepFrames(15);
        PressAction(kActionDecide);
        ASSERT_TRUE(StepUntil([&] { return Options().GetPage() == Page::kBrowse; }, 30));
        Press(kActionCancel, 1);
        ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotOption); }, 40));
        StepFrames(1);
    };
    ASSERT_NO_FATAL_FAILURE(saveSensitivity(100));
    EXPECT_FLOAT_EQ(zoomOfANotch(), 2.4f);
    ASSERT_NO_FATAL_FAILURE(saveSensitivity(0));
    EXPECT_FLOAT_EQ(zoomOfANotch(), 2.0f);
}

TEST_F(OptionTest, AFailedWriteAsksToTryAgainAndNeverTellsTheSaveFinished)
{
    ASSERT_NO_FATAL_FAILURE(StartPlaying());
    ASSERT_NO_FATAL_FAILURE(Open(true));
    ASSERT_NO_FATAL_FAILURE(MoveTo(GAME_CUIOption::kRowStickSwap));
    Press(kActionDecide);
    const std::string before = support::ReadBytes(SavePath());
    platform::SetFileFaultForTesting(platform::FileFault::ShortWrite);
    ASSERT_NO_FATAL_FAILURE(PressButton(GAME_CUISettingsWindow::kButtonSave, Page::kSaveQuestion));
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
    bool finished = false;
    ASSERT_TRUE(StepUntil(
        [&] {
            finished = finished || MessageHas("OPTION_SAVE_FINISHED");
            return Options().GetPage() == Page::kSaveRetry;
        },
        600));
    platform::SetFileFaultForTesting(platform::FileFault::None);
    EXPECT_FALSE(finished);
    EXPECT_TRUE(MessageHas("PAUSEUI_SAVE_RETRY_YESNO"));
    EXPECT_EQ(support::ReadBytes(SavePath()), before);
    // No keeps editing with the settings in force (the swapped sticks: the left one pulled down zooms
    // out); leaving from the title opens nothing.
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerNo);
    ASSERT_TRUE(StepUntil([&] { return Options().GetPage() == Page::kBrowse; }, 10));
    EXPECT_EQ(GetPlayerData()->option56, 1u);
    platform::input::VirtualPad pad;
    ASSERT_TRUE(pad.Attach(platform::input::PadKind::Standard));
    vesk::input::OnDeviceChange();
    platform::input::StandardPadState leftStickDown;
    leftStickDown.leftY = -32767;
    pad.Set(leftStickDown);
    StepFrames(1);
    EXPECT_TRUE(GetInputMap()->IsZoomOutHeld());
    pad.Set(platform::input::StandardPadState{});
    pad.Detach();
    vesk::input::OnDeviceChange();
    Press(kActionCancel, 1);
    ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotOption); }, 40));
    EXPECT_FALSE(UI().IsOpen(kSlotPause));
    EXPECT_EQ(Options().openedFromTitle, 0u);
}

// The settings' write waits behind a save still running and then cannot start (no worker thread to be
// had): the window asks to try again, as for any failed write, instead of saying "saving" for ever.
TEST_F(OptionTest, ASaveWaitingBehindAnotherThatCannotStartAsksToTryAgain)
{
    ASSERT_NO_FATAL_FAILURE(StartPlaying());
    ASSERT_NO_FATAL_FAILURE(Open(true));
    ASSERT_NO_FATAL_FAILURE(MoveTo(GAME_CUIOption::kRowStickSwap));
    Press(kActionDecide);
    ASSERT_NO_FATAL_FAILURE(PressButton(GAME_CUISettingsWindow::kButtonSave, Page::kSaveQuestion));
    vesk::file::SetSaveJobsWaited(false);
    platform::SetFileFaultForTesting(platform::FileFault::SlowWrite);
    ASSERT_TRUE(GetSaveManager()->RequestSaveSlot(2));
    platform::SetThreadStartFailureForTesting(true);
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
    int idleFrames = 0;
    StepUntil(
        [&] {
            idleFrames = GetSaveManager()->IsIdle() ? idleFrames + 1 : 0;
            return Options().GetPage() == Page::kSaveRetry || idleFrames > 60;
        },
        100000);
    platform::SetThreadStartFailureForTesting(false);
    platform::SetFileFaultForTesting(platform::FileFault::None);
    vesk::file::SetSaveJobsWaited(true);
    ASSERT_EQ(Options().GetPage(), Page::kSaveRetry);
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
    ASSERT_TRUE(StepUntil([&] { return Options().GetPage() == Page::kSaveFinished; }, 120));
    const std::string file = support::ReadBytes(SavePath());
    EXPECT_EQ(platform::ReadU32(reinterpret_cast<const std::uint8_t*>(file.data()) + kSystemRecordOffset + system::kOption56), 1u);
}

TEST_F(OptionTest, AJapaneseFirstRunSwitchedToEnglishReloadsItsTextsBeforeTellingAndKeepsEnglishAfterARestart)
{
    const support::ScopedEnv japanese("VARNOLIS_LANGUAGE", "japanese");
    ASSERT_NO_FATAL_FAILURE(StartToMainGame());
    ASSERT_EQ(GetPlayerData()->language, 0u);
    ASSERT_NE(vesk::window::GetMainWindowTitle(), u"VARNOLIS");
    ASSERT_NO_FATAL_FAILURE(Open(true));
    Press(kActionDecide);
    EXPECT_EQ(Options().Work().U16(system::kLanguage), 1);
    ASSERT_NO_FATAL_FAILURE(PressButton(GAME_CUISettingsWindow::kButtonSave, Page::kSaveQuestion));
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
    bool toldInJapanese = false;
    ASSERT_TRUE(StepUntil(
        [&] {
            toldInJapanese = toldInJapanese || (Options().GetPage() == Page::kSaveFinished && vesk::window::GetMainWindowTitle() != u"VARNOLIS");
            return Options().GetPage() == Page::kSaveFinished;
        },
        600));
    EXPECT_FALSE(toldInJapanese);
    EXPECT_EQ(vesk::window::GetMainWindowTitle(), u"VARNOLIS");
    EXPECT_EQ(GetMessageTextExpanded("OPTION_SAVE_FINISHED"), u"The settings have been saved.");
    EXPECT_EQ(StoredU16(system::kLanguage), 1);

    StopGame();
    StartGame();
    ASSERT_TRUE(StepUntilMainGame());
    EXPECT_EQ(vesk::window::GetMainWindowTitle(), u"VARNOLIS");
    auto* title = UI().Get<GAME_CUITitle>();
    ASSERT_TRUE(StepUntil([&] { return title->GetSubState() == GAME_CUITitle::kPressStart; }, 300));
    StepFrames(1);
    EXPECT_EQ(title->GetLanguageVariant(), 1);
    EXPECT_NE(FindTextDraw(u"Press any button"), nullptr);
}

// Texts that cannot be loaded never cost the texts in force: the language chosen is not taken,
// and what the screen shows, what is stored and what the next start reads is the one in force.
TEST_F(OptionTest, ALanguageWhoseTextsAreDamagedOrMissingIsNotTakenAndTheTextsInForceStay)
{
    UseCopyOfDataSet();
    const std::filesystem::path chinese = DataFolder() / "message/traditionalChinese.mes";
    std::string damaged = support::ReadBytes(chinese);
    damaged.resize(damaged.size() / 2);
    support::WriteBytes(chinese, damaged);
    ASSERT_NO_FATAL_FAILURE(StartPlaying());
    ASSERT_EQ(GetPlayerData()->language, kLanguageEnglish);
    // The next language in the row each time, saved.
    const auto saveNextLanguage = [&] {
        ASSERT_NO_FATAL_FAILURE(Open(false));
        Press(kActionDecide);
        ASSERT_NO_FATAL_FAILURE(PressButton(GAME_CUISettingsWindow::kButtonSave, Page::kSaveQuestion));
        AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
        ASSERT_TRUE(StepUntil([&] { return Options().GetPage() == Page::kSaveFinished; }, 600));
    };
    const auto leave = [&] {
        StepFrames(15);
        PressAction(kActionDecide);
        ASSERT_TRUE(StepUntil([&] { return Options().GetPage() == Page::kBrowse; }, 30));
        Press(kActionCancel, 1);
        ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotOption); }, 40));
    };
    ASSERT_NO_FATAL_FAILURE(saveNextLanguage());
    EXPECT_EQ(GetInDisplaySelection()->Message(), GetMessageTextExpanded("OPTION_SAVE_FINISHED"));
    ASSERT_NO_FATAL_FAILURE(leave());
    ASSERT_EQ(GetPlayerData()->language, kLanguageKorean);
    const std::u16string koreanYes = GetMessageTextOrKey("COMMAND_YES");
    ASSERT_EQ(koreanYes, u"예");

    support::LogCapture log;
    ASSERT_NO_FATAL_FAILURE(saveNextLanguage());
    EXPECT_TRUE(log.Contains("message/traditionalChinese.mes")) << ::testing::PrintToString(log.Lines());
    // The notice says the language was not changed, and the pause menu beneath (opened as the
    // options were left) keeps the Korean pictures.
    EXPECT_EQ(GetInDisplaySelection()->Message(), GetMessageTextExpanded("OPTION_SAVE_LANGUAGE_REFUSED"));
    ASSERT_TRUE(UI().IsOpen(kSlotPause));
    StepFrames(1);
    EXPECT_NE(FindSpriteDraw(2, "ui_pause_return_to_game_kr"), nullptr);
    EXPECT_EQ(FindSpriteDraw(2, "ui_pause_return_to_game_eng"), nullptr);
    EXPECT_EQ(GetMessageTextOrKey("COMMAND_YES"), koreanYes);
    EXPECT_EQ(GetPlayerData()->language, kLanguageKorean);
    EXPECT_EQ(GetPlayerData()->fontIndex, 2u);
    EXPECT_EQ(StoredU16(system::kLanguage), kLanguageKorean);
    EXPECT_EQ(Options().Work().U16(system::kLanguage), kLanguageKorean);
    // Nothing is left unsaved, so leaving asks nothing.
    ASSERT_NO_FATAL_FAILURE(leave());
    EXPECT_EQ(Options().GetPage(), Page::kBrowse);

    // A missing file, as a loaded game's language might name it, is not taken either.
    std::filesystem::remove(DataFolder() / "message/simplifiedChinese.mes");
    ChooseLanguage(kLanguageSimplifiedChinese);
    EXPECT_EQ(GetPlayerData()->language, kLanguageKorean);
    EXPECT_EQ(GetMessageTextOrKey("COMMAND_YES"), koreanYes);
    EXPECT_EQ(StoredU16(system::kLanguage), kLanguageKorean);

    // Nor a language whose texts come but whose font cannot draw them.
    const std::filesystem::path englishFont = DataFolder() / "font/font_english.cvt";
    const std::string font = support::ReadBytes(englishFont);
    support::WriteBytes(englishFont, "");
    ChooseLanguage(kLanguageEnglish);
    EXPECT_EQ(GetPlayerData()->language, kLanguageKorean);
    EXPECT_EQ(GetPlayerData()->fontIndex, 2u);
    EXPECT_EQ(GetMessageTextOrKey("COMMAND_YES"), koreanYes);
    EXPECT_NE(vesk::text::GetFontManager()->Font(0)->Image(), nullptr);
    EXPECT_EQ(StoredU16(system::kLanguage), kLanguageKorean);

    // The save holds Korean, which the next start (in the platform's English) reads.
    support::WriteBytes(englishFont, font);
    ASSERT_TRUE(StepUntilSaveIdle());
    StopGame();
    StartGame();
    ASSERT_TRUE(StepUntilMainGame());
    EXPECT_EQ(GetPlayerData()->language, kLanguageKorean);
    EXPECT_EQ(GetMessageTextOrKey("COMMAND_YES"), koreanYes);
}

// The language is chosen as the save is made and its texts come at the next frame: the window's
// labels, drawn in between, must not keep the old language's texts for good.
TEST_F(OptionTest, AfterALanguageChangeTheWindowsLabelsReadInTheNewLanguage)
{
    const support::ScopedEnv japanese("VARNOLIS_LANGUAGE", "japanese");
    ASSERT_NO_FATAL_FAILURE(StartPlaying());
    ASSERT_NO_FATAL_FAILURE(Open(false));
    ASSERT_NE(FindTextDraw(GetMessageTextExpanded("PAUSEUI_TEXT_OPTION")), nullptr);
    Press(kActionDecide);
    ASSERT_NO_FATAL_FAILURE(PressButton(GAME_CUISettingsWindow::kButtonSave, Page::kSaveQuestion));
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
    ASSERT_TRUE(StepUntil([&] { return Options().GetPage() == Page::kSaveFinished; }, 600));
    StepFrames(2);
    EXPECT_NE(FindTextDraw(u"Options"), nullptr);
    EXPECT_NE(FindTextDraw(u"Music volume"), nullptr);
    for (const support::RecordedTextDraw& draw : frames.back().texts) {
        const bool japanese = std::any_of(draw.text.begin(), draw.text.end(), [](char16_t c) { return c >= u'\u3040' && c <= u'\u9FFF'; });
        EXPECT_FALSE(japanese) << draw;
    }
}

TEST_F(OptionTest, APauseMenuBeneathTakesTheNewLanguagesPicturesAsTheSaveIsMade)
{
    const support::ScopedEnv japanese("VARNOLIS_LANGUAGE", "japanese");
    ASSERT_NO_FATAL_FAILURE(StartPlaying());
    UI().SetOpen(kSlotPause, true);
    StepFrames(2);
    ASSERT_NE(FindSpriteDraw(2, "ui_pause_return_to_game"), nullptr);
    ASSERT_NO_FATAL_FAILURE(Open(false));
    Press(kActionDecide);
    ASSERT_NO_FATAL_FAILURE(PressButton(GAME_CUISettingsWindow::kButtonSave, Page::kSaveQuestion));
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
    ASSERT_TRUE(StepUntil([&] { return Options().GetPage() == Page::kSaveFinished; }, 600));
    EXPECT_NE(FindSpriteDraw(2, "ui_pause_return_to_game_eng"), nullptr);
    EXPECT_EQ(FindSpriteDraw(2, "ui_pause_return_to_game"), nullptr);
}

// Every question and notice of the settings windows keeps to the shared dialog in every language.
TEST_F(OptionTest, TheSettingsQuestionsAndNoticesFitTheDialogInEveryLanguage)
{
    ASSERT_NO_FATAL_FAILURE(StartPlaying());
    for (std::uint32_t language = 0; language < kLanguageCount; ++language) {
        ChooseLanguage(language);
        for (const char* key : {"OPTION_SAVE_YESNO", "OPTION_NOSAVE_YESNO", "OPTION_DEFAULT_YESNO", "OPTION_SAVE_FINISHED",
                                "OPTION_SAVE_LANGUAGE_REFUSED", "PAUSEUI_SAVE_RETRY_YESNO"}) {
            DialogFit::ExpectFitsDialog(GetMessageTextExpanded(key), std::string(GetMessageFileForLanguage(language)) + ": " + key);
        }
    }
}

}  // namespace
