// The window of the list screens over the pause menu (achievements, sound room): base, face, close button, title and scan overlays.
#pragma once

#include <vector>

#include "game/ui/widget_builders.h"

// What the button on the window's corner shows: a cross that closes, or an arrow that goes back a page.
enum class UIMenuCorner { kClose, kBack };
// The start of the draw list under the screen's root: the sprite switch, the window at (61, -51), its
// face, and the close (or back) button on its corner, pressed by cancel too.
GAME_CUIIconObject* BeginUIMenuWindow(std::vector<GAME_CUIObjectBase*>& list, GAME_CUIObjectBase* root, UIIconCallback close,
                                      UIMenuCorner corner = UIMenuCorner::kClose);
// The switch to text and the window's title label (its key).
void AddUIMenuWindowTitle(std::vector<GAME_CUIObjectBase*>& list, GAME_CUIObjectBase* root, const char* titleKey);
// The end of the draw list: the scan overlays over the face (after a switch that resets the text
// style when asked), then a switch that draws what is queued.
void EndUIMenuWindow(std::vector<GAME_CUIObjectBase*>& list, GAME_CUIObjectBase* root, bool resetTextStyle = false);
