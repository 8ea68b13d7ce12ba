// The game center (slot 30): turns the running game into the side-scrolling mini-game.
#include "game/ui/game_center.h"

#include "game/services/sound/sound_player.h"
#include "game/ui/app_links.h"
#include "game/ui/ui_draw.h"

bool GAME_CUIGameCenter::StepTransition(UIScreenState state)
{
    if (state != kOpening) return true;
    PlayUISE(kStartJingle);
    // The room's loop that opening this screen started must not play on through the arcade game.
    GetSoundPlayer()->StopTrackedSE();
    SwitchToArcadeGame();
    SetOpen(false);
    return false;
}
