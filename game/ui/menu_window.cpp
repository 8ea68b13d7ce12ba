// The window of the list screens over the pause menu (achievements, sound room): base, face, close button, title and scan overlays.
#include "game/ui/menu_window.h"

#include <algorithm>
#include <utility>

#include "game/services/input/input_actions.h"
#include "game/ui/room_window.h"
#include "game/ui/ui_draw.h"
#include "game/ui/widgets/ui_category_change_object.h"

GAME_CUIIconObject* BeginUIMenuWindow(std::vector<GAME_CUIObjectBase*>& list, GAME_CUIObjectBase* root, UIIconCallback close,
                                      UIMenuCorner corner)
{
    const bool back = corner == UIMenuCorner::kBack;
    list.push_back(MakeUICategorySwitch(1));
    list.push_back(MakeUIRoomWindowUnder(root));
    list.push_back(MakeUIPictureUnder(root, "ui_windowbase_bg", 95.0f, 57.0f));
    UIButtonSpec spec{.sprite = back ? "ui_backbutton" : "ui_closebutton",
                      .pressedSprite = back ? "ui_backbutton_touch" : "ui_closebutton_touch",
                      .sound = kSeUICancel,
                      .action = kActionCancel, .release = std::move(close)};
    PlaceUIButtonTopLeft(spec, 493.0f, 56.0f);
    GAME_CUIIconObject* button = MakeUIButton(root, spec);
    list.push_back(button);
    std::erase(list, nullptr);
    return button;
}

void AddUIMenuWindowTitle(std::vector<GAME_CUIObjectBase*>& list, GAME_CUIObjectBase* root, const char* titleKey)
{
    list.push_back(MakeUICategorySwitch(0, true));
    list.push_back(MakeUILabel(root, titleKey, 103.0f, 60.0f));
    std::erase(list, nullptr);
}

void EndUIMenuWindow(std::vector<GAME_CUIObjectBase*>& list, GAME_CUIObjectBase* root, bool resetTextStyle)
{
    list.push_back(MakeUICategorySwitch(1, true, resetTextStyle));
    list.push_back(MakeUIPictureUnder(root, "ui_windowbase_scan_title", 95.0f, 57.0f));
    list.push_back(MakeUIPictureUnder(root, "ui_windowbase_scan_main", 95.0f, 86.0f));
    list.push_back(MakeUICategorySwitch(2, true));
    std::erase(list, nullptr);
}
