// The options screen (slot 38): sixteen setting rows over the settings block, three of which open the binding and instruction screens.
#include "game/ui/screens/ui_option.h"

#include <algorithm>
#include <utility>

#include "framework/graphics/device_record.h"
#include "framework/text/format_text.h"
#include "framework/window/main_window.h"
#include "game/model/session/play_session.h"
#include "game/services/input/input_map.h"
#include "game/services/player/player_data.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "game/services/save/settings_limits.h"
#include "game/services/sound/sound_player.h"
#include "game/services/text/language.h"
#include "game/services/text/message_text.h"
#include "game/ui/screen_context.h"
#include "game/ui/screens/ui_common.h"
#include "game/ui/screens/ui_pause.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_manager.h"
#include "game/ui/widget_builders.h"
#include "game/ui/widgets/ui_label_object.h"
#include "game/ui/widgets/ui_slider.h"
#include "game/ui/widgets/ui_toggle_object.h"
#include "platform/little_endian.h"

namespace {

namespace field = save_layout::system;

enum class RowKind { kChoice, kToggle, kSlider, kEntry };

struct OptionRow {
    const char* key;
    RowKind kind;
    std::size_t offset;  // in the settings block
    std::int32_t maximum;
    std::int32_t step;
};

constexpr OptionRow kRows[GAME_CUIOption::kRowCount] = {
    {"ADD_TEXT_UI_OPTION_LANGUAGE", RowKind::kChoice, field::kLanguage, 0, 0},
    {"ADD_TEXT_UI_OPTION_FULLSCREEN", RowKind::kToggle, field::kFullScreen, 1, 0},
    {"ADD_TEXT_UI_OPTION_WORLDSCALE", RowKind::kSlider, field::kWindowSize, 200, 100},
    {"ADD_TEXT_UI_OPTION_MOUSEWHEELSENSITIVITY", RowKind::kSlider, field::kWheelSensitivity, field::kMaxWheelSensitivity, 1},
    {"ADD_TEXT_UI_OPTION_CAMERAMOVESPEED", RowKind::kSlider, field::kCameraSpeed, field::kMaxCameraSpeed, 1},
    {"ADD_TEXT_UI_OPTION_EVENTSPEEDRERSET", RowKind::kToggle, field::kOption36, 1, 0},
    {"ADD_TEXT_UI_OPTION_NONFOCUSPAUSE", RowKind::kToggle, field::kPauseInactive, 1, 0},
    {"ADD_TEXT_UI_OPTION_NONFOCUSMUTE", RowKind::kToggle, field::kMuteInactive, 1, 0},
    {"ADD_TEXT_UI_OPTION_AUTOSAVEROUTE", RowKind::kToggle, field::kOption48, 1, 0},
    {"ADD_TEXT_UI_OPTION_AUTOSAVETIMER", RowKind::kSlider, field::kAutoSaveMinutes, field::kMaxAutoSaveMinutes, 1},
    {"ADD_TEXT_UI_OPTION_BGM", RowKind::kSlider, field::kBgmVolume, field::kMaxVolume, 1},
    {"ADD_TEXT_UI_OPTION_SE", RowKind::kSlider, field::kSeVolume, field::kMaxVolume, 1},
    {"ADD_TEXT_UI_OPTION_CHANGESTICK", RowKind::kToggle, field::kOption56, 1, 0},
    {"ADD_TEXT_UI_OPTION_CONTROLLERCONFIG", RowKind::kEntry, 0, 0, 0},
    {"ADD_TEXT_UI_OPTION_MOUSE_KEYCONFIG", RowKind::kEntry, 0, 0, 0},
    {"ADD_TEXT_UI_OPTION_SOUSASETUMEI", RowKind::kEntry, 0, 0, 0},
};

constexpr const char* kLanguageKeys[kLanguageCount] = {
    "ADD_TEXT_LANGUAGE_JAPANESE", "ADD_TEXT_LANGUAGE_ENGLISH", "ADD_TEXT_LANGUAGE_KOREAN",
    "ADD_TEXT_LANGUAGE_TRADITIONALCHINESE", "ADD_TEXT_LANGUAGE_SIMPLIFIEDCHINESE"};

// The rows a changed widget value moves the cursor to, in the order they are looked at.
constexpr int kPointerOrder[] = {GAME_CUIOption::kRowBgm,          GAME_CUIOption::kRowSe,
                                 GAME_CUIOption::kRowCamera,       GAME_CUIOption::kRowWindowSize,
                                 GAME_CUIOption::kRowFullScreen,   GAME_CUIOption::kRowPauseUnfocused,
                                 GAME_CUIOption::kRowMuteUnfocused, GAME_CUIOption::kRowWheel,
                                 GAME_CUIOption::kRowAutoSaveMinutes, GAME_CUIOption::kRowEventSpeedReset,
                                 GAME_CUIOption::kRowAutoSaveOnArrival, GAME_CUIOption::kRowStickSwap};
// The rows whose change is heard (and applied to the sound player), in that order.
constexpr int kSoundedRows[] = {GAME_CUIOption::kRowBgm, GAME_CUIOption::kRowSe, GAME_CUIOption::kRowCamera,
                                GAME_CUIOption::kRowAutoSaveMinutes};

constexpr int kSliderStepFrames = 4;
constexpr std::size_t kValueLimit = 63;
constexpr int kCanvasW = 640;
constexpr int kCanvasH = 360;

bool IsSounded(int row) { return std::find(std::begin(kSoundedRows), std::end(kSoundedRows), row) != std::end(kSoundedRows); }

// The window height of a scale (0, 100, 200), 0 for any other.
int WindowHeightOfScale(std::int32_t scale)
{
    const std::int32_t step = (scale + 100) / 100;
    return step >= 1 && step <= 3 ? kCanvasH * step : 0;
}

// The largest of 1080, 720 and 360 below the screen's height, never below 360; a scale that fits
// stays. An unknown screen height lets every scale fit.
std::int32_t FitScale(std::int32_t scale, int screenHeight)
{
    if (screenHeight <= 0) return scale;
    int height = WindowHeightOfScale(scale);
    int step = (scale + 100) / 100;
    for (int candidate = 3; candidate >= 1; --candidate) {
        if (height < screenHeight) break;
        step = candidate;
        height = kCanvasH * candidate;
    }
    return std::clamp(step, 1, 3) * 100 - 100;
}

bool Fits(std::int32_t scale, int screenHeight) { return screenHeight <= 0 || WindowHeightOfScale(scale) < screenHeight; }

}  // namespace

GAME_CUIOption::GAME_CUIOption(const UIScreenContext& context)
    : GAME_CUISettingsWindow(context, Layout{.slot = kSlotOption,
                                             .titleKey = "PAUSEUI_TEXT_OPTION",
                                             .rowCount = kRowCount,
                                             .blockOffset = 0,
                                             .hitLeft = 101.0f,
                                             .hitTop = 85.0f,
                                             .hitRight = 427.0f,
                                             .hitHeight = 18.0f})
{
    InitSystemRecord(Work().Bytes());
    BuildWindow();
}

void GAME_CUIOption::BuildRowPictures(GAME_CUINullObject* list, int r, float y)
{
    RowWidgets& row = rows_[static_cast<std::size_t>(r)];
    UIToggleObjectDesc toggle;
    InitUIToggleObjectDesc(&toggle);
    toggle.positionX = 327.0f;
    toggle.positionY = y - 1.0f;
    const vesk::math::Vec2 size = UISpriteSize(FindUISprite("ui_option_toggle_bg_off"));
    toggle.width = size.x;
    toggle.height = size.y;
    row.toggle = new GAME_CUIToggleObject(&toggle);
    row.toggle->SetParent(list);
    AddWidget(row.toggle);
    UISliderDesc slider;
    InitUISliderDesc(&slider);
    slider.positionX = 303.0f;
    slider.positionY = y + 2.0f;
    slider.maximum = std::max(kRows[r].maximum, 1);
    row.slider = new GAME_CUISlider(&slider);
    row.slider->step = std::max(kRows[r].step, 1);
    row.slider->SetParent(list);
    AddWidget(row.slider);
}

void GAME_CUIOption::BuildRowTexts(GAME_CUINullObject* list, int r, float y)
{
    RowWidgets& row = rows_[static_cast<std::size_t>(r)];
    row.name = MakeUILabel(list, kRows[r].key, 0.0f, y);
    // A window size ("1280 * 720") runs past the room left of its slider: it ends where the slider begins.
    row.value = r == kRowWindowSize ? MakeUILabel(list, "", 300.0f, y, 1.0f) : MakeUILabel(list, "", 253.0f, y);
    AddWidget(row.name);
    AddWidget(row.value);
}

bool GAME_CUIOption::ReloadsOnOpen()
{
    const bool reloads = reload_;
    reload_ = true;
    return reloads;
}

void GAME_CUIOption::OnEnterState(UIScreenState state)
{
    if (state == kClosed && reload_) openedFromTitle = 0;
    if (state == kOpening) languageRefused_ = false;
    GAME_CUISettingsWindow::OnEnterState(state);
}

void GAME_CUIOption::BeginFrame(bool)
{
    constexpr std::int32_t kCountedFrames = 15;
    soundRoomFrames_ = Context().ui.IsOpen(kSlotSoundRoom) ? std::min(soundRoomFrames_ + 1, kCountedFrames) : 0;
}

void GAME_CUIOption::Draw()
{
    if (soundRoomFrames_ >= kHiddenUnderSoundRoomAfter) return;
    GAME_CUISettingsWindow::Draw();
}

bool GAME_CUIOption::FullScreen() const { return Work().U32(field::kFullScreen) != 0; }

std::int32_t GAME_CUIOption::FieldValue(int row) const
{
    const OptionRow& entry = kRows[row];
    if (entry.kind == RowKind::kToggle) return Work().U32(entry.offset) != 0 ? 1 : 0;
    return Work().U16(entry.offset);
}

void GAME_CUIOption::SetFieldValue(int row, std::int32_t value)
{
    const OptionRow& entry = kRows[row];
    if (entry.kind == RowKind::kToggle) {
        Work().SetU32(entry.offset, value != 0 ? 1u : 0u);
    } else {
        Work().SetU16(entry.offset, static_cast<std::uint16_t>(std::clamp(value, 0, 0xFFFF)));
    }
}

void GAME_CUIOption::LoadSliders()
{
    for (int r = 0; r < kRowCount; ++r) {
        RowWidgets& row = rows_[static_cast<std::size_t>(r)];
        if (kRows[r].kind == RowKind::kSlider) {
            row.slider->maximum = kRows[r].maximum;
            row.slider->value = std::clamp(FieldValue(r), 0, kRows[r].maximum);
        }
    }
}

void GAME_CUIOption::LoadWidgets()
{
    LoadSliders();
    for (int r = 0; r < kRowCount; ++r) {
        if (kRows[r].kind == RowKind::kToggle) rows_[static_cast<std::size_t>(r)].toggle->value = FieldValue(r);
    }
    stepCounter_ = 0;
}

bool GAME_CUIOption::IsRowShown(int row) const { return RowShown(row); }

std::uint32_t GAME_CUIOption::NameColor(int row) const { return rows_[static_cast<std::size_t>(row)].name->Color(); }

std::u16string GAME_CUIOption::ValueText(int row) const
{
    const GAME_CUILabelObject* label = rows_[static_cast<std::size_t>(row)].value;
    return label->IsLiteral() ? std::u16string(label->Literal()) : std::u16string{};
}

void GAME_CUIOption::ColorWindowRow(std::uint32_t color)
{
    rows_[kRowWindowSize].name->SetColor(color);
    rows_[kRowWindowSize].value->SetColor(color);
}

void GAME_CUIOption::ColorWindowRowByFit()
{
    const bool fits = Fits(FieldValue(kRowWindowSize), vesk::window::GetScreenHeight());
    ColorWindowRow(GetUIColor(fits ? kUIColorText : kUIColorDimText));
}

// The window-size row follows the full-screen flag: off limits at 200 in full screen, fitted to the
// screen in a window.
void GAME_CUIOption::SyncFullScreenRow()
{
    GAME_CUISlider& slider = *rows_[kRowWindowSize].slider;
    slider.maximum = 200;
    slider.step = 100;
    slider.value = std::clamp(slider.value, 0, 200);
    const bool full = FullScreen();
    if (full == (slider.disabled != 0)) return;
    if (full) {
        ColorWindowRow(GetUIColor(kUIColorDimText));
        slider.disabled = 1;
        SetFieldValue(kRowWindowSize, 200);
    } else {
        slider.disabled = 0;
        SetFieldValue(kRowWindowSize, FitScale(FieldValue(kRowWindowSize), vesk::window::GetScreenHeight()));
        ColorWindowRowByFit();
    }
    slider.value = FieldValue(kRowWindowSize);
}

void GAME_CUIOption::RefreshRow(int r, bool shown)
{
    const RowWidgets& row = rows_[static_cast<std::size_t>(r)];
    row.name->SetVisible(shown);
    row.value->SetVisible(shown);
    row.toggle->SetVisible(shown && kRows[r].kind == RowKind::kToggle);
    row.slider->SetVisible(shown && kRows[r].kind == RowKind::kSlider);
}

void GAME_CUIOption::RefreshRows()
{
    SyncFullScreenRow();
    const std::uint32_t language = std::min<std::uint32_t>(FieldValue(kRowLanguage), kLanguageCount - 1);
    rows_[kRowLanguage].value->SetTextA(kLanguageKeys[language]);
    const auto literal = [this](int row, const std::u16string& text) {
        rows_[static_cast<std::size_t>(row)].value->SetTextW(text.substr(0, kValueLimit).c_str());
    };
    const auto percent = [](std::int32_t value) { return vesk::text::FormatText(u"%d \uFF05", {value}); };
    if (FullScreen()) {
        const vesk::window::MonitorSize monitor = vesk::window::GetMonitorSize();
        literal(kRowWindowSize, vesk::text::FormatText(u"%d * %d", {static_cast<std::int32_t>(monitor.width),
                                                                   static_cast<std::int32_t>(monitor.height)}));
    } else {
        const int height = WindowHeightOfScale(FieldValue(kRowWindowSize));
        literal(kRowWindowSize, vesk::text::FormatText(u"%d * %d", {height * kCanvasW / kCanvasH, height}));
    }
    literal(kRowWheel, percent(FieldValue(kRowWheel)));
    literal(kRowCamera, percent(FieldValue(kRowCamera) + 50));
    const std::int32_t minutes = FieldValue(kRowAutoSaveMinutes);
    literal(kRowAutoSaveMinutes, minutes == 0 ? GetMessageTextExpanded("ADD_TEXT_UI_OPTION_AUTOSAVEOFF")
                                              : vesk::text::FormatText(u"%d min", {minutes}));
    literal(kRowBgm, percent(FieldValue(kRowBgm)));
    literal(kRowSe, percent(FieldValue(kRowSe)));
}

GAME_CUIOption::Watched GAME_CUIOption::CurrentValues() const
{
    Watched values;
    for (int r = 0; r < kRowCount; ++r) values.values[static_cast<std::size_t>(r)] = FieldValue(r);
    return values;
}

bool GAME_CUIOption::SkipsRow(int row) const { return row == kRowWindowSize && FullScreen(); }

void GAME_CUIOption::BeforeTree()
{
    LoadSliders();
    before_ = CurrentValues();
    soundChanged_ = false;
}

bool GAME_CUIOption::AfterTree(bool input)
{
    for (int r = 0; r < kRowCount; ++r) {
        const RowWidgets& row = rows_[static_cast<std::size_t>(r)];
        if (kRows[r].kind == RowKind::kSlider) SetFieldValue(r, row.slider->value);
        if (kRows[r].kind == RowKind::kToggle) SetFieldValue(r, row.toggle->value);
    }
    for (const int row : kPointerOrder) {
        if (FieldValue(row) == before_.values[static_cast<std::size_t>(row)]) continue;
        SelectRow(row);
        soundChanged_ = IsSounded(row);
        if (row == kRowWindowSize) ColorWindowRowByFit();
        return false;
    }
    return input;
}

void GAME_CUIOption::AfterPage()
{
    // Defaults restored this frame are weighed against what was in force before them.
    const Watched before = resetFrom_.value_or(before_);
    resetFrom_.reset();
    bool changed = soundChanged_;
    for (const int row : kSoundedRows) {
        if (FieldValue(row) == before.values[static_cast<std::size_t>(row)]) continue;
        SelectRow(row);
        changed = true;
        break;
    }
    if (!changed) return;
    PlayUISE(kSeUICursor);
    ApplyVolumes();
}

void GAME_CUIOption::ApplyVolumes() const { Context().Sound().ApplyVolumeSettings(Work().Bytes()); }

void GAME_CUIOption::DecideRow(int row)
{
    GAME_CUIManager& ui = Context().ui;
    switch (kRows[row].kind) {
    case RowKind::kChoice:
        PlayUISE(kSeUIDecide);
        SetFieldValue(row, (FieldValue(row) + 1) % kLanguageCount);
        break;
    case RowKind::kToggle:
        PlayUISE(kSeUIDecide);
        SetFieldValue(row, FieldValue(row) == 0 ? 1 : 0);
        rows_[static_cast<std::size_t>(row)].toggle->value = FieldValue(row);
        break;
    case RowKind::kEntry: {
        // The trip keeps the edits: the next opening does not reload the stored settings.
        reload_ = false;
        PlayUISE(kSeUIDecide);
        SetOpen(false);
        const int slot = row == kRowControllerConfig ? kSlotControllerConfig
                         : row == kRowKeyboardConfig ? kSlotKeyboardConfig
                                                     : kSlotInstruction;
        ui.SetOpen(slot, true);
        break;
    }
    default: break;
    }
}

void GAME_CUIOption::SideRow(int row)
{
    const bool leftPressed = IsUIMenuSlot(GAME_CInputMap::kModePressed, kUIMenuLeft);
    const bool rightPressed = IsUIMenuSlot(GAME_CInputMap::kModePressed, kUIMenuRight);
    if (kRows[row].kind == RowKind::kToggle) {
        const bool on = FieldValue(row) != 0;
        if ((leftPressed && !on) || (rightPressed && on)) {
            PlayUISE(kSeUIDecide);
            SetFieldValue(row, on ? 0 : 1);
            rows_[static_cast<std::size_t>(row)].toggle->value = FieldValue(row);
        }
        return;
    }
    if (kRows[row].kind != RowKind::kSlider) return;
    if (row == kRowWindowSize) {
        if (!leftPressed && !rightPressed) return;
        PlayUISE(kSeUICursor);
        SetFieldValue(row, std::clamp(FieldValue(row) + (leftPressed ? -100 : 100), 0, 200));
        ColorWindowRowByFit();
        return;
    }
    const bool left = IsUIMenuSlot(GAME_CInputMap::kModeHeld, kUIMenuLeft);
    const bool right = IsUIMenuSlot(GAME_CInputMap::kModeHeld, kUIMenuRight);
    if (!left && !right) {
        stepCounter_ = 0;
        return;
    }
    stepCounter_ = (stepCounter_ + 1) % kSliderStepFrames;
    if (stepCounter_ != 1) return;
    PlayUISE(kSeUICursor);
    SetFieldValue(row, std::clamp(FieldValue(row) + (left ? -1 : 1), 0, kRows[row].maximum));
}

void GAME_CUIOption::BeforeStore()
{
    GAME_CUISlider& slider = *rows_[kRowWindowSize].slider;
    if (FullScreen()) {
        ColorWindowRow(GetUIColor(kUIColorDimText));
        slider.disabled = 1;
        return;
    }
    SetFieldValue(kRowWindowSize, FitScale(FieldValue(kRowWindowSize), vesk::window::GetScreenHeight()));
    slider.value = FieldValue(kRowWindowSize);
    slider.disabled = 0;
    ColorWindowRowByFit();
}

void GAME_CUIOption::PutStoredInForce()
{
    languageAsked_ = Work().U16(field::kLanguage);
    ApplySettingsToPlayerData(Work().Bytes());
    ApplyLanguagePictures();
}

// The HUD's and the pause menu's pictures in the player's language.
void GAME_CUIOption::ApplyLanguagePictures() const
{
    if (auto* hud = Context().ui.Get<GAME_CUICommon>(); hud != nullptr && hud->IsOpen()) hud->ApplyLanguageTextures();
    if (auto* pause = Context().ui.Get<GAME_CUIPause>(); pause != nullptr && pause->IsOpen()) pause->SetLanguageSprites();
}

bool GAME_CUIOption::SaveMayBeTold() const
{
    const GAME_CPlayerData* player = Context().Player();
    return player == nullptr || player->languageChanged == 0;
}

// The window takes the saved size: in full screen always, in a window only when it fits the screen.
void GAME_CUIOption::AfterSaveSettled()
{
    // A language whose texts or font could not be loaded was not taken: the row and the pictures
    // the save switched show the one in force, and the notice says so.
    if (const GAME_CPlayerData* player = Context().Player()) {
        Work().SetU16(field::kLanguage, static_cast<std::uint16_t>(player->language));
        if (player->language != languageAsked_) {
            languageRefused_ = true;
            languageAsked_ = static_cast<std::uint16_t>(player->language);
            ApplyLanguagePictures();
        }
    }
    const std::int32_t factor = FieldValue(kRowWindowSize) / 100 + 1;
    const int width = kCanvasW * factor;
    const int height = kCanvasH * factor;
    const int screenHeight = vesk::window::GetScreenHeight();
    if (!FullScreen() && screenHeight > 0 && height >= screenHeight) return;
    vesk::graphics::RequestDisplayMode(static_cast<float>(width), static_cast<float>(height), FullScreen());
}

const char* GAME_CUIOption::SaveFinishedKey()
{
    return std::exchange(languageRefused_, false) ? "OPTION_SAVE_LANGUAGE_REFUSED" : "OPTION_SAVE_FINISHED";
}

void GAME_CUIOption::ResetToDefaults()
{
    resetFrom_ = CurrentValues();
    InitSystemRecord(Work().Bytes());
}

void GAME_CUIOption::OpenNextScreen()
{
    if (openedFromTitle == 0) Context().ui.SetOpen(kSlotPause, true);
}

void GAME_CUIOption::UndoUnsaved()
{
    Context().Sound().ApplyVolumeSettings(Work().Stored());
    if (GAME_CPlayerData* player = Context().Player()) {
        player->option4 = platform::ReadU32(Work().Stored(), field::kOption4);
        player->noScrollClamp = platform::ReadU32(Work().Stored(), field::kOption8);
    }
}
