// Which of the bindable actions may never share a key or pad button.
#pragma once

// Two actions may not share a binding when either is basic (0-5) or both lie in one group; a menu and
// a gameplay action may.
bool InputActionsConflict(int a, int b);
