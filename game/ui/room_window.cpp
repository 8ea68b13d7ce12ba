// The window a room screen's pages and its sub-windows stand in: the base, the close button, the two room skip arrows, the scan overlays, and the page frame a room screen keeps.
#include "game/ui/room_window.h"

#include <algorithm>
#include <utility>

#include "game/services/input/input_actions.h"
#include "game/ui/screen_callbacks.h"
#include "game/ui/ui_draw.h"
#include "game/ui/widgets/ui_category_change_object.h"

namespace {

// A skip arrow in its little window beside the main one.
GAME_CUIIconObject* AddSkipArrow(std::vector<GAME_CUIObjectBase*>& list, GAME_CUINullObject* window, bool right,
                                 UIIconCallback release)
{
    GAME_CUINullObject* holder =
        MakeUIPictureUnder(window, right ? "ui_skipwindow_right" : "ui_skipwindow_left", right ? 502.0f : -43.0f, 174.0f);
    list.push_back(holder);
    UIButtonSpec arrow{.sprite = right ? "ui_skip_right" : "ui_skip_left",
                       .pressedSprite = right ? "ui_skip_right_touch" : "ui_skip_left_touch",
                       .sound = kSeUICancel,
                       .action = right ? kActionMenuPageRight : kActionMenuPageLeft,
                       .release = std::move(release)};
    PlaceUIButtonTopLeft(arrow, right ? 10.0f : 4.0f, 6.0f);
    GAME_CUIIconObject* button = MakeUIButton(holder, arrow);
    list.push_back(button);
    return button;
}

}  // namespace

GAME_CUINullObject* MakeUIRoomWindowUnder(GAME_CUIObjectBase* parent)
{
    return MakeUIPictureUnder(parent, "ui_windowbase", kUIRoomWindowAt.x, kUIRoomWindowAt.y);
}

GAME_CUILabelObject* MakeUIRoomWindowTitle(GAME_CUIObjectBase* window, const char* key)
{
    return MakeUILabel(window, key, kUIRoomWindowTitleAt.x, kUIRoomWindowTitleAt.y);
}

UIRoomWindowButtons BeginUIRoomWindow(std::vector<GAME_CUIObjectBase*>& list, GAME_CUINullObject* root, GAME_CUINullObject* window,
                                      const UIRoomWindowSpec& spec)
{
    UIRoomWindowButtons buttons;
    list.push_back(MakeUICategorySwitch(1));
    list.push_back(root);
    if (window != root) list.push_back(window);
    list.push_back(MakeUIPictureUnder(window, "ui_windowbase_bg", 34.0f, 108.0f));

    UIButtonSpec close{.sprite = spec.closeSprite, .pressedSprite = spec.closePressedSprite, .sound = kSeUICancel,
                       .action = kActionCancel,
                       .release = spec.closeRelease ? spec.closeRelease : CloseScreenCallback(spec.owner)};
    PlaceUIButtonTopLeft(close, 432.0f, 107.0f);
    buttons.close = MakeUIButton(window, close);
    list.push_back(buttons.close);

    // A window that shows one room's one thing has no way to the next room.
    if (spec.skipLeftRelease) buttons.skipLeft = AddSkipArrow(list, window, false, spec.skipLeftRelease);
    if (spec.skipRightRelease) buttons.skipRight = AddSkipArrow(list, window, true, spec.skipRightRelease);
    return buttons;
}

void EndUIRoomWindow(std::vector<GAME_CUIObjectBase*>& list, GAME_CUIObjectBase* window)
{
    list.push_back(MakeUIDrawHook(&DrawSharedDialogCallback));
    list.push_back(MakeUIPictureCut(window, "ui_windowbase_scan_title", 34.0f, 108.0f, 420.0f, 29.0f));
    list.push_back(MakeUIPictureCut(window, "ui_windowbase_scan_main", 34.0f, 137.0f, 420.0f, 181.0f));
    list.push_back(MakeUICategorySwitch(2, true));
    std::erase(list, nullptr);
}
