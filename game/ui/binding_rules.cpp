// The 30 rows of the binding screens and the rules by which a captured key or pad button becomes a binding.
#include "game/ui/binding_rules.h"

#include "game/services/input/action_conflicts.h"

namespace {

constexpr const char* kRowKeys[kBindingRowCount] = {
    "ADD_TEXT_UI_CONFIG_DECIDE",
    "ADD_TEXT_UI_CONFIG_CANCEL",
    "ADD_TEXT_UI_CONFIG_CURSOR_UP",
    "ADD_TEXT_UI_CONFIG_CURSOR_DOWN",
    "ADD_TEXT_UI_CONFIG_CURSOR_LEFT",
    "ADD_TEXT_UI_CONFIG_CURSOR_RIGHT",
    "ADD_TEXT_UI_CONFIG_TITLE_MENU",
    "ADD_TEXT_UI_CONFIG_MENU_FUNCTION_A",
    "ADD_TEXT_UI_CONFIG_MENU_FUNCTION_B",
    "ADD_TEXT_UI_CONFIG_MENU_TAB_LEFT",
    "ADD_TEXT_UI_CONFIG_MENU_TAB_RIGHT",
    "ADD_TEXT_UI_CONFIG_MENU_TAB_CHANGE",
    "ADD_TEXT_UI_CONFIG_MENU_PAGE_LEFT",
    "ADD_TEXT_UI_CONFIG_MENU_PAGE_RIGHT",
    "ADD_TEXT_UI_CONFIG_TITLE_GAMEPLAY",
    "ADD_TEXT_UI_CONFIG_GAMEPLAY_MENU",
    "ADD_TEXT_UI_CONFIG_GAMEPLAY_OUTER",
    "ADD_TEXT_UI_CONFIG_GAMEPLAY_ZOOMIN",
    "ADD_TEXT_UI_CONFIG_GAMEPLAY_ZOOMOUT",
    "ADD_TEXT_UI_CONFIG_GAMEPLAY_SC_BUILD",
    "ADD_TEXT_UI_CONFIG_GAMEPLAY_SC_KYOTEN",
    "ADD_TEXT_UI_CONFIG_GAMEPLAY_SC_QUEST",
    "ADD_TEXT_UI_CONFIG_GAMEPLAY_SC_PIMMET_LIST",
    "ADD_TEXT_UI_CONFIG_GAMEPLAY_SC_ITEM_LIST",
    "ADD_TEXT_UI_CONFIG_GAMEPLAY_SC_LOG",
    "ADD_TEXT_UI_CONFIG_GAMEPLAY_SPEED_UP",
    "ADD_TEXT_UI_CONFIG_GAMEPLAY_SPEED_DOWN",
    "ADD_TEXT_UI_CONFIG_GAMEPLAY_SPEED_NEXT",
    "ADD_TEXT_UI_CONFIG_GAMEPLAY_SC_PIMMET_SELECT",
    "ADD_TEXT_UI_CONFIG_GAMEPLAY_SC_ITEM_SELECT",
};

}  // namespace

const char* BindingRowKey(int row) { return row >= 0 && row < kBindingRowCount ? kRowKeys[row] : ""; }

int BindingRowAction(int row)
{
    if (row < 0 || row >= kBindingRowCount || row == kBindingHeaderRows[0] || row == kBindingHeaderRows[1]) return -1;
    if (row < kBindingHeaderRows[0]) return row;
    return row < kBindingHeaderRows[1] ? row - 1 : row - 2;
}

int BindingActionRow(int action)
{
    if (action < 0 || action >= kInputActionCount) return -1;
    if (action <= kLastBasicAction) return action;
    return action <= kLastMenuAction ? action + 1 : action + 2;
}

std::int32_t UnboundValue(BindingDevice device) { return device == BindingDevice::kKeyboard ? kNoKey : 0; }

bool IsUsableBinding(BindingDevice device, std::int32_t value)
{
    return device == BindingDevice::kKeyboard ? value > 0 : value != 0;
}

BindingCapture ApplyBindingCapture(BindingDevice device, std::span<std::int32_t, kInputActionCount> bindings,
                                   int action, std::int32_t value, std::array<bool, kBindingRowCount>& changedRows)
{
    changedRows.fill(false);
    if (action < 0 || action >= kInputActionCount) return BindingCapture::kRefused;
    const bool unbound = device == BindingDevice::kKeyboard ? bindings[static_cast<std::size_t>(action)] < 0
                                                            : bindings[static_cast<std::size_t>(action)] == 0;
    if (unbound && (value == bindings[kActionDecide] || value == bindings[kActionCancel])) return BindingCapture::kRefused;
    const std::int32_t previous = bindings[static_cast<std::size_t>(action)];
    if (IsUsableBinding(device, value)) {
        for (int other = 0; other < kInputActionCount; ++other) {
            if (bindings[static_cast<std::size_t>(other)] != value || !InputActionsConflict(other, action)) continue;
            bindings[static_cast<std::size_t>(other)] = previous;
            changedRows[static_cast<std::size_t>(BindingActionRow(other))] = true;
        }
    }
    bindings[static_cast<std::size_t>(action)] = value;
    changedRows[static_cast<std::size_t>(BindingActionRow(action))] = true;
    return BindingCapture::kApplied;
}
