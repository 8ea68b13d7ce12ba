// A menu screen reached from the pause menu or the title: cancel closes it, and the pause menu comes back.
#include "game/ui/ui_menu_screen.h"

#include "game/model/world/game_world.h"

void GAME_CUIMenuScreen::OnEnterState(UIScreenState state)
{
    GAME_CUIUnbuiltScreen::OnEnterState(state);
    if (state == kClosed) openedFromTitle = 0;
}

void GAME_CUIMenuScreen::OnClosedByPlayer()
{
    GAME_CGameWorld* world = PeekGameWorld();
    if (returnsToPause_ && openedFromTitle == 0 && world != nullptr && world->ui) world->ui->SetOpen(kSlotPause, true);
}
