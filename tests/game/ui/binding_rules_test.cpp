// The rebinding rules over the default bindings of both devices: swaps within conflicting groups, refusals that would strand DECIDE or CANCEL, and the changed marks.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>

#include "game/services/input/input_actions.h"
#include "game/ui/binding_rules.h"

namespace {

struct BindingCase {
    std::string name;
    BindingDevice device;
    int action;
    std::int32_t value;
    bool fromDefaults;
    BindingCapture result;
    // What changed: action -> new value, in order.
    std::initializer_list<std::pair<int, std::int32_t>> changes;
    std::initializer_list<int> markedRows;
};

std::array<std::int32_t, kInputActionCount> Defaults(BindingDevice device)
{
    std::array<std::int32_t, kInputActionCount> bindings{};
    for (int a = 0; a < kInputActionCount; ++a) {
        const InputActionDefault& entry = GetInputActionDefault(a);
        bindings[static_cast<std::size_t>(a)] =
            device == BindingDevice::kKeyboard ? entry.key : static_cast<std::int32_t>(entry.padMask);
    }
    return bindings;
}

constexpr std::int32_t kEnter = 44, kSpace = 74, kW = 33, kQ = 32, kTab = 31;
constexpr std::int32_t kButton2 = 0x200, kButton3 = 0x400;
constexpr auto kKeys = BindingDevice::kKeyboard;
constexpr auto kPad = BindingDevice::kPad;

TEST(BindingRulesTest, CapturesSwapWithinConflictingGroupsAndNeverLeaveDecideOrCancelUnbound)
{
    const BindingCase cases[] = {
        {"Enter for CURSOR_UP swaps with DECIDE", kKeys, kActionCursorUp, kEnter, false, BindingCapture::kApplied,
         {{kActionCursorUp, kEnter}, {kActionDecide, kW}}, {0, 2}},
        {"Q for MENU_TAB_CHANGE swaps with MENU_TAB_LEFT only", kKeys, kActionMenuTabChange, kQ, false,
         BindingCapture::kApplied, {{kActionMenuTabChange, kQ}, {kActionMenuTabLeft, kTab}}, {9, 11}},
        {"Q for GAMEPLAY_MENU swaps with GAMEPLAY_SC_BUILD only", kKeys, kActionGameplayMenu, kQ, false,
         BindingCapture::kApplied, {{kActionGameplayMenu, kQ}, {kActionShortcutBuild, kTab}}, {15, 19}},
        {"Q for DECIDE swaps with both groups", kKeys, kActionDecide, kQ, false, BindingCapture::kApplied,
         {{kActionDecide, kQ}, {kActionMenuTabLeft, kEnter}, {kActionShortcutBuild, kEnter}}, {0, 9, 19}},
        {"Enter for the unbound MENU_PAGE_LEFT is refused", kKeys, kActionMenuPageLeft, kEnter, false,
         BindingCapture::kRefused, {}, {}},
        {"Space for the unbound MENU_PAGE_LEFT is refused", kKeys, kActionMenuPageLeft, kSpace, false,
         BindingCapture::kRefused, {}, {}},
        {"W for MENU_PAGE_LEFT leaves CURSOR_UP unbound", kKeys, kActionMenuPageLeft, kW, false, BindingCapture::kApplied,
         {{kActionMenuPageLeft, kW}, {kActionCursorUp, kNoKey}}, {2, 12}},
        {"the same key again only marks the row", kKeys, kActionCursorUp, kW, false, BindingCapture::kApplied, {}, {2}},
        {"a held START gives GAMEPLAY_SC_LOG its default key 6", kKeys, kActionShortcutLog, 22, true,
         BindingCapture::kApplied, {}, {24}},
        {"a held START leaves GAMEPLAY_SC_LOG unbound on the pad", kPad, kActionShortcutLog, 0, true,
         BindingCapture::kApplied, {}, {24}},
        {"BUTTON_2 for the unbound MENU_TAB_CHANGE is refused", kPad, kActionMenuTabChange, kButton2, false,
         BindingCapture::kRefused, {}, {}},
        {"BUTTON_3 for MENU_TAB_CHANGE takes it from MENU_FUNCTION_A only", kPad, kActionMenuTabChange, kButton3, false,
         BindingCapture::kApplied, {{kActionMenuTabChange, kButton3}, {kActionMenuFunctionA, 0}}, {7, 11}},
    };
    for (const BindingCase& c : cases) {
        SCOPED_TRACE(c.name);
        std::array<std::int32_t, kInputActionCount> bindings = Defaults(c.device);
        std::array<std::int32_t, kInputActionCount> expected = bindings;
        for (const auto& [action, value] : c.changes) expected[static_cast<std::size_t>(action)] = value;
        std::array<bool, kBindingRowCount> marks{};
        marks.fill(true);
        EXPECT_EQ(ApplyBindingCapture(c.device, bindings, c.action, c.value, marks), c.result);
        EXPECT_EQ(bindings, expected);
        std::array<bool, kBindingRowCount> expectedMarks{};
        for (const int row : c.markedRows) expectedMarks[static_cast<std::size_t>(row)] = true;
        EXPECT_EQ(marks, expectedMarks);
    }
    // Escape (0) and the no-key code are no keys to bind; any pad button is.
    EXPECT_FALSE(IsUsableBinding(kKeys, 0));
    EXPECT_FALSE(IsUsableBinding(kKeys, kNoKey));
    EXPECT_TRUE(IsUsableBinding(kPad, 0x10));
    EXPECT_EQ(BindingRowAction(6), -1);
    EXPECT_EQ(BindingRowAction(29), kActionSelectItem);
    EXPECT_EQ(BindingActionRow(kActionGameplayMenu), 15);
}

}  // namespace
