// The game center (slot 30): turns the running game into the side-scrolling mini-game.
#include "game/ui/game_center.h"

#include "game/ui/app_links.h"
#include "game/ui/ui_draw.h"

bool GAME_CUIGameCenter::StepTransition(UIScreenState state)
{
    if (state != kOpening) return true;
    PlayUISE(kStartJingle);
    SwitchToArcadeGame();
    SetOpen(false);
    return false;
}
