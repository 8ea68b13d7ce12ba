// A menu screen reached from the pause menu or the title: cancel closes it, and the pause menu comes back.
#include "game/ui/ui_menu_screen.h"

#include "game/services/input/input_actions.h"
#include "game/model/world/game_world.h"
#include "game/ui/ui_draw.h"

void GAME_CUIMenuScreen::OnEnterState(UIScreenState state)
{
    if (state == kClosed) openedFromTitle = 0;
}

void GAME_CUIMenuScreen::UpdateMain(bool input)
{
    if (!input || !IsUIActionTriggered(kActionCancel)) return;
    PlayUISE(kSeUICancel);
    SetOpen(false);
    // Only the player's own way out leads back: screens an event or a game over closes do not.
    GAME_CGameWorld* world = PeekGameWorld();
    if (returnsToPause_ && openedFromTitle == 0 && world != nullptr && world->ui) world->ui->SetOpen(kSlotPause, true);
}
