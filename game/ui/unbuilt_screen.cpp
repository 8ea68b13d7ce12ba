// The stand-in for a screen not built yet: it shows nothing, and the player's cancel (or a pointer press) closes it.
#include "game/ui/unbuilt_screen.h"

#include "game/model/world/game_world.h"
#include "game/ui/screen_context.h"
#include "game/services/input/input_actions.h"
#include "game/ui/ui_draw.h"

void GAME_CUIUnbuiltScreen::OnEnterState(UIScreenState state)
{
    if (state != kClosed || !rule_.letsGoOfHold) return;
    Context().world.held = 0;
}

void GAME_CUIUnbuiltScreen::UpdateMain(bool input)
{
    if (!input || !(IsUIActionTriggered(kActionCancel) || (rule_.pointerCloses && IsAnyUIPointerPressed()))) return;
    PlayUISE(kSeUICancel);
    SetOpen(false);
    OnClosedByPlayer();
}
