// Callbacks the screens share: close, close and open the HUD, close and step to the next or previous room, draw the shared dialog.
#include "game/ui/screen_callbacks.h"

#include "framework/text/font_manager.h"
#include "game/ui/dialog_flow.h"
#include "game/ui/ui_base.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_manager.h"

namespace {

// Closes the screen, then lets the manager go on.
template <class Then>
UIIconCallback CloseThen(GAME_CUIBase* screen, GAME_CUIManager& ui, Then then)
{
    return [screen, &ui, then](GAME_CUIIconObject*) {
        if (screen != nullptr) screen->SetOpen(false);
        then(ui);
    };
}

}  // namespace

UIIconCallback CloseScreenCallback(GAME_CUIBase* screen)
{
    return [screen](GAME_CUIIconObject*) {
        if (screen != nullptr) screen->SetOpen(false);
    };
}

UIIconCallback CloseAndOpenHud(GAME_CUIBase* screen, GAME_CUIManager& ui)
{
    return CloseThen(screen, ui, [](GAME_CUIManager& manager) { manager.SetOpen(kSlotCommon, true); });
}

UIIconCallback CloseAndOpenHideoutMenu(GAME_CUIBase* screen, GAME_CUIManager& ui)
{
    return CloseThen(screen, ui, [](GAME_CUIManager& manager) { manager.SetOpen(kSlotAjitoMenu, true); });
}

UIIconCallback CloseAndSkipToNextRoom(GAME_CUIBase* screen, GAME_CUIManager& ui)
{
    return CloseThen(screen, ui, [](GAME_CUIManager& manager) { manager.SkipToNextRoom(); });
}

UIIconCallback CloseAndSkipToPrevRoom(GAME_CUIBase* screen, GAME_CUIManager& ui)
{
    return CloseThen(screen, ui, [](GAME_CUIManager& manager) { manager.SkipToPrevRoom(); });
}

void DrawSharedDialogCallback()
{
    if (DrawDialogIfShown()) return;
    FlushUISprites();
    if (vesk::text::SYS_CFontManager* fonts = vesk::text::GetFontManager()) fonts->ResetTextStyle();
    BeginUISprites();
}
