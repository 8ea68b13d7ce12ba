// Callbacks the screens share: close, close and open the HUD, close and step to the next or previous room, draw the shared dialog.
#include "game/ui/screen_callbacks.h"

#include "framework/text/font_manager.h"
#include "game/model/world/game_world.h"
#include "game/ui/dialog_flow.h"
#include "game/ui/ui_base.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_manager.h"

namespace {

GAME_CUIManager* Manager() { return UIManagerOf(PeekGameWorld()); }

// Closes the screen, then lets the manager go on.
template <class Then>
UIIconCallback CloseThen(GAME_CUIBase* screen, Then then)
{
    return [screen, then](GAME_CUIIconObject*) {
        if (screen != nullptr) screen->SetOpen(false);
        if (GAME_CUIManager* ui = Manager()) then(*ui);
    };
}

}  // namespace

UIIconCallback CloseScreenCallback(GAME_CUIBase* screen)
{
    return CloseThen(screen, [](GAME_CUIManager&) {});
}

UIIconCallback CloseAndOpenHud(GAME_CUIBase* screen)
{
    return CloseThen(screen, [](GAME_CUIManager& ui) { ui.SetOpen(kSlotCommon, true); });
}

UIIconCallback CloseAndOpenHideoutMenu(GAME_CUIBase* screen)
{
    return CloseThen(screen, [](GAME_CUIManager& ui) { ui.SetOpen(kSlotAjitoMenu, true); });
}

UIIconCallback CloseAndSkipToNextRoom(GAME_CUIBase* screen)
{
    return CloseThen(screen, [](GAME_CUIManager& ui) { ui.SkipToNextRoom(); });
}

UIIconCallback CloseAndSkipToPrevRoom(GAME_CUIBase* screen)
{
    return CloseThen(screen, [](GAME_CUIManager& ui) { ui.SkipToPrevRoom(); });
}

void DrawSharedDialogCallback()
{
    if (DrawDialogIfShown()) return;
    FlushUISprites();
    if (vesk::text::SYS_CFontManager* fonts = vesk::text::GetFontManager()) fonts->ResetTextStyle();
    BeginUISprites();
}
