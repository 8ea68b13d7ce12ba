// The 30 rows of the binding screens and the rules by which a captured key or pad button becomes a binding.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "game/services/input/input_actions.h"

// Rows 6 and 14 head the menu and gameplay groups and bind nothing.
inline constexpr int kBindingRowCount = 30;
inline constexpr int kBindingHeaderRows[2] = {6, 14};

// The message key of a row's name.
const char* BindingRowKey(int row);
// The action a row binds, -1 for a header (or a row outside the list).
int BindingRowAction(int row);
int BindingActionRow(int action);

// The device a binding screen edits: what an unbound action holds and whether a captured value can be bound.
enum class BindingDevice { kKeyboard, kPad };
std::int32_t UnboundValue(BindingDevice device);
// A key above 0 (Escape never binds) or a pad mask other than 0.
bool IsUsableBinding(BindingDevice device, std::int32_t value);

// What a captured value did to the 28 bindings of a working copy.
enum class BindingCapture { kApplied, kRefused };

// Applies a captured value v for action a (fromDefaults: v is the action's default, bound even when
// it is unbound). Refused, nothing changed, when a is unbound and v is DECIDE's or CANCEL's binding,
// which would leave them without one. Otherwise every conflicting action holding v takes a's old
// binding (a swap) and a takes v. The changed marks are cleared first, then set on every row changed.
BindingCapture ApplyBindingCapture(BindingDevice device, std::span<std::int32_t, kInputActionCount> bindings,
                                   int action, std::int32_t value, std::array<bool, kBindingRowCount>& changedRows);
