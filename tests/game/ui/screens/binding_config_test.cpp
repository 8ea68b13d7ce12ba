// The key and controller configuration screens: capturing, refusing, the pad's START and SELECT, saving with its failure, bindings after a restart, and a damaged record.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

#include "framework/input/key_tables.h"
#include "game/services/input/input_actions.h"
#include "game/services/input/input_map.h"
#include "game/services/save/save_image.h"
#include "game/services/player/player_data.h"
#include "game/services/save/save_manager.h"
#include "game/services/save/settings_limits.h"
#include "game/services/text/language.h"
#include "game/services/text/message_text.h"
#include "game/ui/screens/ui_controller_config.h"
#include "game/ui/screens/ui_keyboard_config.h"
#include "game/ui/screens/ui_option.h"
#include "game/ui/selection_dialog.h"
#include "game/ui/ui_draw.h"
#include "platform/file_system.h"
#include "platform/input/key_codes.h"
#include "platform/input/virtual_pad.h"
#include "platform/little_endian.h"
#include "tests/game/ui/ui_test_base.h"
#include "tests/support/scratch_folder.h"

namespace {

using namespace save_layout;
namespace pad_button = platform::input::pad_button;

constexpr std::int32_t kKeyG = 50;
constexpr std::int32_t kKeyQ = 32;
constexpr int kRowShortcutBuild = 19;
constexpr int kRowShortcutLog = 24;

class BindingConfigTest : public support::UITest {
protected:
    void TearDown() override
    {
        pad_.Detach();
        UITest::TearDown();
    }

    template <typename Screen>
    Screen& Open()
    {
        auto* screen = UI().Get<Screen>();
        UI().SetOpen(Screen::kSlot, true);
        EXPECT_TRUE(StepUntil([&] { return screen->State() == UIScreenState::kMain; }, 40));
        StepFrames(1);
        return *screen;
    }

    void PressLogicalKey(std::int32_t logical)
    {
        for (const vesk::input::KeyLogical& entry : vesk::input::LogicalKeyTable()) {
            if (entry.logicalKey == logical) {
                PressRawKey(entry.keyCode);
                return;
            }
        }
        FAIL() << "no key gives logical key " << logical;
    }

    void Press(int action, int frames = 1)
    {
        PressAction(action);
        StepFrames(frames);
    }

    // Down the ring to a row, then decide: the capture prompt comes up.
    void StartCapture(GAME_CUIBindingConfig& screen, int row)
    {
        while (screen.Cursor() != row) Press(kActionCursorDown, 2);
        Press(kActionDecide, 2);
        ASSERT_TRUE(screen.IsCapturing());
        ASSERT_TRUE(MessageHas("ADD_TEXT_UI_CONFIG_DIALOG_XINPUT_01"));
        // The prompt stands alone: no button waits under it.
        EXPECT_TRUE(GetInDisplaySelection()->IsMessageOnly());
    }

    void Save(GAME_CUIBindingConfig& screen)
    {
        while (screen.Cursor() != kBindingRowCount + GAME_CUISettingsWindow::kButtonSave) Press(kActionCursorDown, 2);
        PressAction(kActionDecide);
        ASSERT_TRUE(StepUntil([&] { return screen.GetPage() == GAME_CUISettingsWindow::Page::kSaveQuestion; }, 20));
        AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
    }

    static bool MessageHas(const char* key)
    {
        return GetInDisplaySelection()->Message().find(GetMessageTextExpanded(key)) != std::u16string::npos;
    }

    void PlugPad()
    {
        ASSERT_TRUE(pad_.Attach(platform::input::PadKind::Standard));
        vesk::input::OnDeviceChange();
    }

    void SetPad(std::uint16_t buttons)
    {
        platform::input::StandardPadState state;
        state.buttons = buttons;
        pad_.Set(state);
    }

    platform::input::VirtualPad pad_;
};

TEST_F(BindingConfigTest, AKeyCapturedAndSavedActsAtOnceIsStoredAndSurvivesARestart)
{
    auto& screen = Open<GAME_CUIKeyboardConfig>();
    ASSERT_NO_FATAL_FAILURE(StartCapture(screen, kRowShortcutBuild));
    // Escape binds nothing (the keyboard's Escape is the pad's START: its tap ends the capture).
    PressLogicalKey(0);
    ASSERT_TRUE(StepUntil([&] { return screen.GetPage() == GAME_CUISettingsWindow::Page::kBrowse; }, 30));
    EXPECT_EQ(screen.Bindings()[kActionShortcutBuild], kKeyQ);
    Press(kActionDecide, 2);
    ASSERT_TRUE(screen.IsCapturing());
    PressLogicalKey(kKeyG);
    ASSERT_TRUE(StepUntil([&] { return screen.GetPage() == GAME_CUISettingsWindow::Page::kBrowse; }, 30));
    EXPECT_EQ(screen.Bindings()[kActionShortcutBuild], kKeyG);
    EXPECT_TRUE(screen.IsRowChanged(kRowShortcutBuild));
    EXPECT_EQ(screen.RowBindingText(kRowShortcutBuild), GetKeyboardKeyName(kKeyG));
    // Not in force before it is saved.
    EXPECT_EQ(GetInputMap()->GetKeyBinding(kActionShortcutBuild), kKeyQ);

    ASSERT_NO_FATAL_FAILURE(Save(screen));
    bool toldEarly = false;
    ASSERT_TRUE(StepUntil(
        [&] {
            toldEarly = toldEarly || (MessageHas("OPTION_SAVE_FINISHED") && !GetSaveManager()->IsSystemRecordSaved());
            return screen.GetPage() == GAME_CUISettingsWindow::Page::kSaveFinished;
        },
        600));
    EXPECT_FALSE(toldEarly);
    EXPECT_TRUE(MessageHas("OPTION_SAVE_FINISHED"));
    EXPECT_EQ(GetInputMap()->GetKeyBinding(kActionShortcutBuild), kKeyG);
    EXPECT_EQ(platform::ReadU32(GetWorkingSystemRecord(), system::kKeyBindings + 4 * kActionShortcutBuild),
              static_cast<std::uint32_t>(kKeyG));

    StopGame();
    StartGame();
    ASSERT_TRUE(StepUntilMainGame());
    EXPECT_EQ(GetInputMap()->GetKeyBinding(kActionShortcutBuild), kKeyG);
    std::array<std::uint8_t, GAME_CInputMap::kBindingTableBytes> inForce{};
    ASSERT_TRUE(GetInputMap()->WriteKeyBindings(inForce));
    const auto stored = GetWorkingSystemRecord().subspan(system::kKeyBindings, inForce.size());
    EXPECT_TRUE(std::equal(inForce.begin(), inForce.end(), stored.begin()));

    // In play, Q no longer opens the build menu and G does.
    ASSERT_TRUE(CloseScreen(kSlotTitle));
    UI().SetOpen(kSlotCommon, true);
    StepFrames(5);
    PressLogicalKey(kKeyQ);
    StepFrames(20);
    EXPECT_FALSE(UI().IsOpen(kSlotBuild));
    PressLogicalKey(kKeyG);
    EXPECT_TRUE(StepUntil([&] { return UI().IsOpen(kSlotBuild); }, 30));
}

TEST_F(BindingConfigTest, OnThePadStartHeldRestoresTheDefaultSelectTappedCancelsAndDecideCannotBeStranded)
{
    ASSERT_NO_FATAL_FAILURE(PlugPad());
    auto& screen = Open<GAME_CUIControllerConfig>();
    // GAMEPLAY_SC_LOG first takes LB, then START held 11 frames gives its default: unbound.
    ASSERT_NO_FATAL_FAILURE(StartCapture(screen, kRowShortcutLog));
    SetPad(pad_button::LeftShoulder);
    StepFrames(1);
    SetPad(0);
    ASSERT_TRUE(StepUntil([&] { return screen.GetPage() == GAME_CUISettingsWindow::Page::kBrowse; }, 30));
    // LB is also GAMEPLAY_SC_PIMMET_SELECT's, which takes the old (unbound) value; MENU_TAB_LEFT keeps it.
    EXPECT_EQ(screen.Bindings()[kActionShortcutLog], 0x10000);
    EXPECT_EQ(screen.Bindings()[kActionSelectCrew], 0);
    EXPECT_EQ(screen.Bindings()[kActionMenuTabLeft], 0x10000);
    Press(kActionDecide, 2);
    ASSERT_TRUE(screen.IsCapturing());
    SetPad(pad_button::Start);
    StepFrames(10);
    EXPECT_TRUE(screen.IsCapturing());
    StepFrames(1);
    SetPad(0);
    ASSERT_TRUE(StepUntil([&] { return screen.GetPage() == GAME_CUISettingsWindow::Page::kBrowse; }, 30));
    EXPECT_EQ(screen.Bindings()[kActionShortcutLog], 0);
    EXPECT_EQ(screen.RowBindingText(kRowShortcutLog), GetPadButtonName(0));

    // A SELECT tap ends a capture with no change and keeps the marks.
    Press(kActionDecide, 2);
    ASSERT_TRUE(screen.IsCapturing());
    SetPad(pad_button::Back);
    StepFrames(2);
    SetPad(0);
    ASSERT_TRUE(StepUntil([&] { return screen.GetPage() == GAME_CUISettingsWindow::Page::kBrowse; }, 30));
    EXPECT_EQ(screen.Bindings()[kActionShortcutLog], 0);
    EXPECT_TRUE(screen.IsRowChanged(kRowShortcutLog));

    // BUTTON_2 is DECIDE's: the unbound GAMEPLAY_SC_LOG may not take it.
    Press(kActionDecide, 2);
    SetPad(pad_button::A);
    StepFrames(2);
    SetPad(0);
    StepFrames(1);
    EXPECT_TRUE(screen.IsRefusalShown());
    EXPECT_TRUE(MessageHas("ADD_TEXT_UI_CONFIG_DIALOG_02"));
    EXPECT_FALSE(GetInDisplaySelection()->IsMessageOnly());
    EXPECT_EQ(screen.Bindings()[kActionShortcutLog], 0);
    EXPECT_EQ(screen.Bindings()[kActionDecide], 0x200);
    EXPECT_FALSE(screen.IsRowChanged(kRowShortcutLog));
}

// Without a pad only the keyboard's Escape (the pad's START) ends a capture on the pad screen: a
// keypad + pressed earlier, say to zoom, must not leave the prompt with no way out.
TEST_F(BindingConfigTest, AfterKeypadPlusEscapeStillEndsAPadCaptureAndStillOpensThePauseMenu)
{
    PressRawKey(platform::input::key::Add);
    StepFrames(2);
    auto& screen = Open<GAME_CUIControllerConfig>();
    ASSERT_NO_FATAL_FAILURE(StartCapture(screen, kRowShortcutLog));
    PressRawKey(platform::input::key::Escape);
    ASSERT_TRUE(StepUntil([&] { return screen.GetPage() == GAME_CUISettingsWindow::Page::kBrowse; }, 30));
    EXPECT_EQ(screen.Bindings()[kActionShortcutLog], 0);

    Press(kActionCancel);
    ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotControllerConfig); }, 40));
    UI().SetOpen(kSlotOption, false);
    UI().SetOpen(kSlotCommon, true);
    StepFrames(20);
    ASSERT_FALSE(UI().IsOpen(kSlotPause));
    PressRawKey(platform::input::key::Escape);
    EXPECT_TRUE(StepUntil([&] { return UI().IsOpen(kSlotPause); }, 30));
}

TEST_F(BindingConfigTest, AFailedWriteAsksToTryAgainAndKeepsTheOldFileAndASaveAskedDuringAnotherWaitsForItsOwnWrite)
{
    auto& screen = Open<GAME_CUIKeyboardConfig>();
    ASSERT_NO_FATAL_FAILURE(StartCapture(screen, kRowShortcutBuild));
    PressLogicalKey(kKeyG);
    ASSERT_TRUE(StepUntil([&] { return screen.GetPage() == GAME_CUISettingsWindow::Page::kBrowse; }, 30));
    const std::string before = support::ReadBytes(SavePath());

    platform::SetFileFaultForTesting(platform::FileFault::ShortWrite);
    ASSERT_NO_FATAL_FAILURE(Save(screen));
    bool finished = false;
    ASSERT_TRUE(StepUntil(
        [&] {
            finished = finished || MessageHas("OPTION_SAVE_FINISHED");
            return screen.GetPage() == GAME_CUISettingsWindow::Page::kSaveRetry;
        },
        600));
    platform::SetFileFaultForTesting(platform::FileFault::None);
    EXPECT_FALSE(finished);
    EXPECT_TRUE(MessageHas("PAUSEUI_SAVE_RETRY_YESNO"));
    EXPECT_EQ(support::ReadBytes(SavePath()), before);
    // The binding is in force all the same.
    EXPECT_EQ(GetInputMap()->GetKeyBinding(kActionShortcutBuild), kKeyG);

    // Yes saves again, this time while a slot save runs: the notice waits for the system record's own write.
    StepFrames(1);
    ASSERT_TRUE(GetSaveManager()->RequestSaveSlot(3));
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
    ASSERT_TRUE(StepUntil([&] { return screen.GetPage() == GAME_CUISettingsWindow::Page::kSaving; }, 5));
    ASSERT_TRUE(StepUntil([&] { return screen.GetPage() == GAME_CUISettingsWindow::Page::kSaveFinished; }, 900));
    EXPECT_TRUE(GetSaveManager()->IsSystemRecordSaved());
    EXPECT_NE(support::ReadBytes(SavePath()), before);
}

// A row centres the name of what its action is bound to on the key frame: in every language every
// key's and pad button's name stays clear of the frame's line, one unit in on either side.
// A damaged settings record puts defaults in force in place of what cannot be; the screens show
// those, the record holds them, and leaving without a change asks nothing.
TEST_F(BindingConfigTest, ASettingsRecordWithDamagedValuesShowsWhatIsInForceOnEveryScreen)
{
    const std::span<std::uint8_t> record = GetWorkingSystemRecord();
    platform::WriteU32(record, system::kKeyBindings + 4 * kActionCancel, 111);
    platform::WriteU32(record, system::kPadBindings + 4 * kActionCursorUp, 0x1000000);
    platform::WriteU16(record, system::kLanguage, 9);
    platform::WriteU16(record, system::kCameraSpeed, 999);
    platform::WriteU16(record, system::kBgmVolume, 400);
    ASSERT_TRUE(GetSaveManager()->RequestSaveSystem());
    ASSERT_TRUE(StepUntilSaveIdle());
    StopGame();
    StartGame();
    ASSERT_TRUE(StepUntilMainGame());
    ASSERT_TRUE(CloseScreen(kSlotTitle));
    const GAME_CInputMap& map = *GetInputMap();
    ASSERT_EQ(map.GetKeyBinding(kActionCancel), map.GetDefaultKeyBinding(kActionCancel));
    ASSERT_EQ(map.GetPadBinding(kActionCursorUp), map.GetDefaultPadBinding(kActionCursorUp));

    auto& keys = Open<GAME_CUIKeyboardConfig>();
    EXPECT_EQ(keys.Bindings()[kActionCancel], map.GetKeyBinding(kActionCancel));
    for (int row = 0; row < kBindingRowCount; ++row) {
        if (BindingRowAction(row) != kActionCancel) continue;
        EXPECT_EQ(keys.RowBindingText(row), GetKeyboardKeyName(map.GetKeyBinding(kActionCancel)));
    }
    const auto leaveUnasked = [&]<typename Screen>(Screen& screen) {
        Press(kActionCancel, 2);
        EXPECT_NE(screen.GetPage(), GAME_CUISettingsWindow::Page::kLeaveQuestion);
        ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(Screen::kSlot); }, 40));
    };
    ASSERT_NO_FATAL_FAILURE(leaveUnasked(keys));
    auto& pad = Open<GAME_CUIControllerConfig>();
    EXPECT_EQ(pad.Bindings()[kActionCursorUp], static_cast<std::int32_t>(map.GetPadBinding(kActionCursorUp)));
    ASSERT_NO_FATAL_FAILURE(leaveUnasked(pad));

    auto& options = Open<GAME_CUIOption>();
    EXPECT_EQ(GetPlayerData()->language, kLanguageEnglish);
    EXPECT_EQ(options.Work().U16(system::kLanguage), kLanguageEnglish);
    EXPECT_EQ(options.Work().U16(system::kCameraSpeed), system::kMaxCameraSpeed);
    EXPECT_EQ(options.Work().U16(system::kBgmVolume), system::kMaxVolume);
    ASSERT_NO_FATAL_FAILURE(leaveUnasked(options));
}

TEST_F(BindingConfigTest, EveryKeyAndButtonNameFitsTheKeyFrameInEveryLanguage)
{
    const float frameRoom = UISpriteSize(FindUISprite("ui_keyconfig_frame_left")).x - 4.0f;
    ASSERT_GT(frameRoom, 40.0f);
    for (std::uint32_t language = 0; language < kLanguageCount; ++language) {
        ChooseLanguage(language);
        const std::string_view file = GetMessageFileForLanguage(language);
        for (std::int32_t key = kNoKey; key <= kLastKeyCode; ++key) {
            if (!IsBindableKey(key)) continue;
            const std::u16string name = GetKeyboardKeyName(key);
            EXPECT_LE(MeasureUIText(name), frameRoom) << file << ": " << KeyboardKeyNameKey(key);
        }
        for (const std::uint32_t button : kBindablePadButtons) {
            EXPECT_LE(MeasureUIText(GetPadButtonName(button)), frameRoom) << file << ": " << PadButtonNameKey(button);
        }
        EXPECT_LE(MeasureUIText(GetPadButtonName(0)), frameRoom) << file << ": no button";
    }
}

}  // namespace
