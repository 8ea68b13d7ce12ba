// The binding screens' one class: 30 rows of actions and what each is bound to, rebound by pressing a key or a pad button.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "game/ui/binding_rules.h"
#include "game/ui/settings_window.h"

// What makes the keyboard screen and the pad screen differ: the slot, the block of the system record,
// the value a capture polls, the defaults, the names shown and the input map's bindings set on saving.
struct UIBindingDeviceStrategy {
    BindingDevice device = BindingDevice::kKeyboard;
    int slot = 0;
    const char* titleKey = "";
    std::size_t blockOffset = 0;
    std::int32_t (*poll)() = nullptr;
    std::int32_t (*defaultOf)(int action) = nullptr;
    std::u16string (*name)(std::int32_t value) = nullptr;
    void (*putInForce)(int action, std::int32_t value) = nullptr;
};
const UIBindingDeviceStrategy& KeyboardBindingStrategy();
const UIBindingDeviceStrategy& PadBindingStrategy();

// Decide (or a click on the selected row) on an action's row starts a capture: the next usable key or
// button is bound by the rules of the binding rows. A tap of the pad's START or SELECT ends the capture
// unchanged; holding one 11 frames binds the action's default. A binding that would leave DECIDE or
// CANCEL without one is refused with a notice. Leaving reopens the options.
class GAME_CUIBindingConfig : public GAME_CUISettingsWindow {
public:
    static constexpr std::int32_t kDefaultHoldFrames = 10;
    static constexpr std::uint32_t kCaptureControlButtons = 0x1u | 0x2u;

    GAME_CUIBindingConfig(const UIScreenContext& context, const UIBindingDeviceStrategy& strategy);

    bool IsRowChanged(int row) const { return changed_[static_cast<std::size_t>(row)]; }
    bool IsCapturing() const { return GetPage() == Page::kOwn && !refused_; }
    bool IsRefusalShown() const { return GetPage() == Page::kOwn && refused_; }
    // The bindings of the working copy.
    std::array<std::int32_t, kInputActionCount> Bindings() const;
    std::u16string RowBindingText(int row) const;

protected:
    void BuildRowPictures(GAME_CUINullObject* list, int row, float y) override;
    void BuildRowTexts(GAME_CUINullObject* list, int row, float y) override;
    void LoadWidgets() override;
    void RefreshRow(int row, bool shown) override;
    void DecideRow(int row) override;
    void EnterOwnPage() override;
    void UpdateOwnPage() override;
    void PutStoredInForce() override;
    void ResetToDefaults() override;
    void OpenNextScreen() override;
    void OnEnterState(UIScreenState state) override;

private:
    struct Row {
        GAME_CUILabelObject* binding = nullptr;
        GAME_CUILabelObject* action = nullptr;
        GAME_CUINullObject* changedMark = nullptr;
        GAME_CUINullObject* keyFrame = nullptr;
    };

    void Capture();

    const UIBindingDeviceStrategy& strategy_;
    std::array<Row, kBindingRowCount> rows_{};
    std::array<bool, kBindingRowCount> changed_{};
    std::int32_t changedSprite_ = -1;
    std::int32_t frameSprite_ = -1;
    int editedAction_ = 0;
    std::int32_t holdCounter_ = 0;
    bool refused_ = false;
};
