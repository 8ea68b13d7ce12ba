// The options screen (slot 38): sixteen setting rows over the settings block, three of which open the binding and instruction screens.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "game/ui/settings_window.h"

class GAME_CUILabelObject;
class GAME_CUISlider;
class GAME_CUIToggleObject;

// Volumes take effect while they are edited; everything else when the player saves: the language by
// the player data's language-changed flag (the frame reloads the message file and re-titles the
// window, and the save is told only after that), the window by the device's display-mode request.
// In full screen the window-size row is skipped and shows the monitor's size. A trip to the
// controller, keyboard or instruction screen keeps the unsaved edits.
class GAME_CUIOption : public GAME_CUISettingsWindow, public UIScreenSlot<kSlotOption> {
public:
    static constexpr int kRowCount = 16;
    enum Row : int {
        kRowLanguage = 0,
        kRowFullScreen,
        kRowWindowSize,
        kRowWheel,
        kRowCamera,
        kRowEventSpeedReset,
        kRowPauseUnfocused,
        kRowMuteUnfocused,
        kRowAutoSaveOnArrival,
        kRowAutoSaveMinutes,
        kRowBgm,
        kRowSe,
        kRowStickSwap,
        kRowControllerConfig,
        kRowKeyboardConfig,
        kRowInstructions,
    };

    explicit GAME_CUIOption(const UIScreenContext& context);

    // Set by the title as it opens this screen; leaving then reopens nothing.
    std::uint32_t openedFromTitle = 0;

    // The sound room over this screen hides it once it has stood there this many frames.
    static constexpr std::int32_t kHiddenUnderSoundRoomAfter = 3;

    void Draw() override;

    std::u16string ValueText(int row) const;
    std::uint32_t NameColor(int row) const;
    bool IsRowShown(int row) const;

protected:
    void BuildRowPictures(GAME_CUINullObject* list, int row, float y) override;
    void BuildRowTexts(GAME_CUINullObject* list, int row, float y) override;
    bool ReloadsOnOpen() override;
    void LoadWidgets() override;
    void RefreshRow(int row, bool shown) override;
    void RefreshRows() override;
    void DecideRow(int row) override;
    void SideRow(int row) override;
    bool SkipsRow(int row) const override;
    void BeforeTree() override;
    bool AfterTree(bool input) override;
    void AfterPage() override;
    void BeforeStore() override;
    void PutStoredInForce() override;
    bool SaveMayBeTold() const override;
    void AfterSaveSettled() override;
    const char* SaveFinishedKey() override;
    void ResetToDefaults() override;
    void OpenNextScreen() override;
    void UndoUnsaved() override;
    void OnEnterState(UIScreenState state) override;
    void BeginFrame(bool input) override;

private:
    struct RowWidgets {
        GAME_CUILabelObject* name = nullptr;
        GAME_CUILabelObject* value = nullptr;
        GAME_CUIToggleObject* toggle = nullptr;
        GAME_CUISlider* slider = nullptr;
    };
    // The values the pointer may change through the widgets, before the widget update.
    struct Watched {
        std::array<std::int32_t, kRowCount> values{};
    };

    bool FullScreen() const;
    std::int32_t FieldValue(int row) const;
    Watched CurrentValues() const;
    void SetFieldValue(int row, std::int32_t value);
    void LoadSliders();
    void SyncFullScreenRow();
    void ColorWindowRow(std::uint32_t color);
    void ColorWindowRowByFit();
    void ApplyVolumes() const;
    void ApplyLanguagePictures() const;

    std::array<RowWidgets, kRowCount> rows_{};
    Watched before_{};
    // The values as they stood when the defaults were restored, until that frame's sound step has heard them.
    std::optional<Watched> resetFrom_;
    std::int32_t stepCounter_ = 0;
    bool reload_ = true;
    bool soundChanged_ = false;
    // The language the last save put in force, and whether one was refused (its texts or font
    // missing or damaged) and not yet told.
    std::uint16_t languageAsked_ = 0;
    bool languageRefused_ = false;
    // Frames the sound room has been open, counted up to 15.
    std::int32_t soundRoomFrames_ = 0;
};
