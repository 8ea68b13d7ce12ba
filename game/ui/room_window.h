// The window a room screen's pages and its sub-windows stand in: the base, the close button, the two room skip arrows, the scan overlays, and the page frame a room screen keeps.
#pragma once

#include <vector>

#include "framework/math/vector.h"
#include "game/ui/widget_builders.h"

class GAME_CUIBase;

// Where a room window's top-left corner stands on the canvas while it is shown.
inline constexpr vesk::math::Vec2 kUIRoomWindowAt{61.0f, -51.0f};
// A room window's base picture at that place under the parent.
GAME_CUINullObject* MakeUIRoomWindowUnder(GAME_CUIObjectBase* parent);
// The label in a room window's title bar (where it stands under the window).
inline constexpr vesk::math::Vec2 kUIRoomWindowTitleAt{42.0f, 111.0f};
GAME_CUILabelObject* MakeUIRoomWindowTitle(GAME_CUIObjectBase* window, const char* key);

// How a window's buttons look and answer; the close button closes the owner. A skip arrow is built
// only with its callback.
struct UIRoomWindowSpec {
    const char* closeSprite = "ui_closebutton";
    const char* closePressedSprite = "ui_closebutton_touch";
    // The close button's own callback (none: it closes the owner).
    UIIconCallback closeRelease;
    UIIconCallback skipLeftRelease;
    UIIconCallback skipRightRelease;
    GAME_CUIBase* owner = nullptr;
};

// The widgets of a room screen's page frame that the screen keeps: the window's, its tab bar's and its cursor.
struct UIRoomPageFrame {
    GAME_CUINullObject* window = nullptr;  // frame positions are relative to it
    GAME_CUILabelObject* title = nullptr;
    GAME_CUIIconObject* close = nullptr;
    GAME_CUIIconObject* skipLeft = nullptr;
    GAME_CUIIconObject* skipRight = nullptr;
    GAME_CUIIconObject* firstTab = nullptr;
    GAME_CUIIconObject* taskTab = nullptr;
    GAME_CUINullObject* cursorNode = nullptr;
    GAME_CUINullObject* cursorSprite = nullptr;
    // The first page's row highlight, moving with the cursor (none on the task page).
    GAME_CUINullObject* highlight = nullptr;
};

struct UIRoomWindowButtons {
    GAME_CUIIconObject* close = nullptr;
    GAME_CUIIconObject* skipLeft = nullptr;
    GAME_CUIIconObject* skipRight = nullptr;
};

// The start of a window's draw list: the sprite switch, the root, the window (when it is not the
// root), the window's background, the close button (closing the owner's screen) and the skip arrows.
UIRoomWindowButtons BeginUIRoomWindow(std::vector<GAME_CUIObjectBase*>& list, GAME_CUINullObject* root, GAME_CUINullObject* window,
                                      const UIRoomWindowSpec& spec);
// The end of a window's draw list: the shared dialog, the scan overlays over the window, and a
// switch that draws the sprites still queued. Drops the null entries of the list.
void EndUIRoomWindow(std::vector<GAME_CUIObjectBase*>& list, GAME_CUIObjectBase* window);
