// The three groups of the bindable actions, and which of them may never share a key or pad button.
#pragma once

#include "game/services/input/input_actions.h"

// The basic actions (used everywhere) run to the cursor's right, the menu actions to the menu's
// page right; the gameplay actions follow.
inline constexpr int kLastBasicAction = kActionCursorRight;
inline constexpr int kLastMenuAction = kActionMenuPageRight;

// Two actions may not share a binding when either is basic (0-5) or both lie in one group; a menu and
// a gameplay action may.
bool InputActionsConflict(int a, int b);
