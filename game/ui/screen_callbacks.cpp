// Callbacks the screens share: close, close and open the HUD, close and step to the next or previous room, draw the shared dialog.
#include "game/ui/screen_callbacks.h"

#include "framework/text/font_manager.h"
#include "game/model/world/game_world.h"
#include "game/ui/dialog_flow.h"
#include "game/ui/ui_base.h"
#include "game/ui/ui_draw.h"

namespace {

GAME_CUIManager* Manager()
{
    GAME_CGameWorld* world = PeekGameWorld();
    return world != nullptr ? world->ui.get() : nullptr;
}

void Close(void* screen)
{
    if (screen != nullptr) static_cast<GAME_CUIBase*>(screen)->SetOpen(false);
}

}  // namespace

void CloseScreenCallback(void* screen, GAME_CUIIconObject*) { Close(screen); }

void CloseAndOpenHud(void* screen, GAME_CUIIconObject*)
{
    Close(screen);
    if (GAME_CUIManager* ui = Manager()) ui->SetOpen(kSlotCommon, true);
}

void CloseAndSkipToNextRoom(void* screen, GAME_CUIIconObject*)
{
    Close(screen);
    if (GAME_CUIManager* ui = Manager()) ui->SkipToNextRoom();
}

void CloseAndSkipToPrevRoom(void* screen, GAME_CUIIconObject*)
{
    Close(screen);
    if (GAME_CUIManager* ui = Manager()) ui->SkipToPrevRoom();
}

void DrawSharedDialogCallback(std::intptr_t, std::intptr_t)
{
    if (DrawDialogIfShown()) return;
    FlushUISprites();
    if (vesk::text::SYS_CFontManager* fonts = vesk::text::GetFontManager()) fonts->ResetTextStyle();
    BeginUISprites();
}
