// The binding screens' one class: 30 rows of actions and what each is bound to, rebound by pressing a key or a pad button.
#include "game/ui/screens/ui_binding_config.h"

#include "game/services/input/input_map.h"
#include "game/services/save/save_layout.h"
#include "game/services/text/message_text.h"
#include "game/ui/dialog_flow.h"
#include "game/ui/screen_context.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_manager.h"
#include "game/ui/widget_builders.h"
#include "game/ui/widgets/ui_label_object.h"
#include "game/ui/widgets/ui_null_object.h"

namespace {

constexpr std::size_t kNameLimit = 63;

std::int32_t PollKey() { return FindPressedKey(); }
std::int32_t PollPad() { return static_cast<std::int32_t>(FindPressedPadButton()); }
std::int32_t DefaultKey(int action) { return GetInputMap()->GetDefaultKeyBinding(action); }
std::int32_t DefaultPad(int action) { return static_cast<std::int32_t>(GetInputMap()->GetDefaultPadBinding(action)); }
std::u16string KeyName(std::int32_t value) { return GetKeyboardKeyName(value); }
std::u16string PadName(std::int32_t value) { return GetPadButtonName(static_cast<std::uint32_t>(value)); }
void SetKey(int action, std::int32_t value) { GetInputMap()->SetKeyBinding(action, value); }
void SetPad(int action, std::int32_t value) { GetInputMap()->SetPadBinding(action, static_cast<std::uint32_t>(value)); }

}  // namespace

const UIBindingDeviceStrategy& KeyboardBindingStrategy()
{
    static const UIBindingDeviceStrategy strategy{BindingDevice::kKeyboard, kSlotKeyboardConfig,
                                                  "ADD_TEXT_UI_OPTION_MOUSE_KEYCONFIG", save_layout::system::kKeyBindings,
                                                  &PollKey, &DefaultKey, &KeyName, &SetKey};
    return strategy;
}

const UIBindingDeviceStrategy& PadBindingStrategy()
{
    static const UIBindingDeviceStrategy strategy{BindingDevice::kPad, kSlotControllerConfig,
                                                  "ADD_TEXT_UI_OPTION_CONTROLLERCONFIG", save_layout::system::kPadBindings,
                                                  &PollPad, &DefaultPad, &PadName, &SetPad};
    return strategy;
}

GAME_CUIBindingConfig::GAME_CUIBindingConfig(const UIScreenContext& context, const UIBindingDeviceStrategy& strategy)
    : GAME_CUISettingsWindow(context, Layout{.slot = strategy.slot,
                                             .titleKey = strategy.titleKey,
                                             .rowCount = kBindingRowCount,
                                             .blockOffset = strategy.blockOffset,
                                             .hitLeft = 127.0f,
                                             .hitTop = 90.0f,
                                             .hitRight = 519.0f,
                                             .hitHeight = 17.0f,
                                             .keepsButtonOnOpen = true}),
      strategy_(strategy)
{
    changedSprite_ = FindUISprite("ui_keyconfig_highlight_changed");
    frameSprite_ = FindUISprite("ui_keyconfig_frame_left");
    BuildWindow();
}

void GAME_CUIBindingConfig::BuildRowPictures(GAME_CUINullObject* list, int r, float y)
{
    Row& row = rows_[static_cast<std::size_t>(r)];
    row.changedMark = MakeUIGroupUnder(list, -1.0f, y - 1.0f);
    row.keyFrame = MakeUIGroupUnder(list, 18.0f, y);
    row.changedMark->SetColor(kUIWhite);
    row.keyFrame->SetColor(kUIWhite);
    AddWidget(row.changedMark);
    AddWidget(row.keyFrame);
}

void GAME_CUIBindingConfig::BuildRowTexts(GAME_CUINullObject* list, int r, float y)
{
    Row& row = rows_[static_cast<std::size_t>(r)];
    row.binding = MakeUILabel(list, "", 55.0f, y, 0.5f);
    row.action = MakeUILabel(list, BindingRowKey(r), 108.0f, y);
    AddWidget(row.binding);
    AddWidget(row.action);
}

void GAME_CUIBindingConfig::OnEnterState(UIScreenState state)
{
    if (state == kOpening) changed_.fill(false);
    GAME_CUISettingsWindow::OnEnterState(state);
}

void GAME_CUIBindingConfig::LoadWidgets() { refused_ = false; }

std::array<std::int32_t, kInputActionCount> GAME_CUIBindingConfig::Bindings() const
{
    std::array<std::int32_t, kInputActionCount> bindings{};
    Work().ReadBindings(bindings);
    return bindings;
}

std::u16string GAME_CUIBindingConfig::RowBindingText(int row) const
{
    const int action = BindingRowAction(row);
    if (action < 0) return u"";
    std::u16string name = strategy_.name(Bindings()[static_cast<std::size_t>(action)]);
    if (name.size() > kNameLimit) name.resize(kNameLimit);
    return name;
}

void GAME_CUIBindingConfig::RefreshRow(int r, bool shown)
{
    const Row& row = rows_[static_cast<std::size_t>(r)];
    row.binding->SetVisible(shown);
    row.action->SetVisible(shown);
    row.changedMark->SetSprite(shown && changed_[static_cast<std::size_t>(r)] ? changedSprite_ : kNoSprite);
    const bool binds = BindingRowAction(r) >= 0;
    row.keyFrame->SetSprite(shown && binds ? frameSprite_ : kNoSprite);
    if (shown) row.binding->SetTextW(RowBindingText(r).c_str());
}

void GAME_CUIBindingConfig::DecideRow(int row)
{
    const int action = BindingRowAction(row);
    if (action < 0) return;
    PlayUISE(kSeUIDecide);
    editedAction_ = action;
    GoPage(Page::kOwn);
}

void GAME_CUIBindingConfig::EnterOwnPage()
{
    holdCounter_ = 0;
    refused_ = false;
    PromptInDialog(static_cast<std::uint32_t>(strategy_.slot), GetMessageTextExpanded("ADD_TEXT_UI_CONFIG_DIALOG_XINPUT_01"));
}

void GAME_CUIBindingConfig::UpdateOwnPage()
{
    if (!IsDialogShown()) {
        GoPage(Page::kBrowse);
        return;
    }
    if (!refused_) Capture();
}

void GAME_CUIBindingConfig::Capture()
{
    const GAME_CInputMap* map = GetInputMap();
    if (map->IsPadButtonInMode(GAME_CInputMap::kModeReleased, kCaptureControlButtons)) {
        CloseDialog();
        return;
    }
    std::int32_t value = strategy_.poll();
    bool fromDefaults = false;
    if (map->IsPadButtonInMode(GAME_CInputMap::kModeHeld, kCaptureControlButtons) && ++holdCounter_ > kDefaultHoldFrames) {
        value = strategy_.defaultOf(editedAction_);
        fromDefaults = true;
    }
    if (!IsUsableBinding(strategy_.device, value) && !fromDefaults) return;
    std::array<std::int32_t, kInputActionCount> bindings = Bindings();
    if (ApplyBindingCapture(strategy_.device, bindings, editedAction_, value, changed_) == BindingCapture::kRefused) {
        refused_ = true;
        NoticeInDialog(static_cast<std::uint32_t>(strategy_.slot),
                       {.text = GetMessageTextExpanded("ADD_TEXT_UI_CONFIG_DIALOG_02")});
        return;
    }
    Work().WriteBindings(bindings);
    CloseDialog();
}

void GAME_CUIBindingConfig::PutStoredInForce()
{
    const std::array<std::int32_t, kInputActionCount> bindings = Bindings();
    for (int action = 0; action < kInputActionCount; ++action) strategy_.putInForce(action, bindings[static_cast<std::size_t>(action)]);
}

void GAME_CUIBindingConfig::ResetToDefaults()
{
    std::array<std::int32_t, kInputActionCount> bindings{};
    for (int action = 0; action < kInputActionCount; ++action) bindings[static_cast<std::size_t>(action)] = strategy_.defaultOf(action);
    Work().WriteBindings(bindings);
}

void GAME_CUIBindingConfig::OpenNextScreen() { Context().ui.SetOpen(kSlotOption, true); }
