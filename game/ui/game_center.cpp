// The game center (slot 30): turns the running game into the side-scrolling mini-game.
#include "game/ui/game_center.h"

#include "game/ui/app_links.h"
#include "game/ui/ui_draw.h"

void GAME_CUIGameCenter::Update(bool)
{
    next_ = requests_.TakeNextState(next_);
    if (next_ != state_) {
        state_ = next_;
        if (state_ == 0) {
            requests_.openFlag = 0;
            return;
        }
    }
    if (state_ == 1) {
        PlayUISE(kStartJingle);
        SwitchToArcadeGame();
        SetOpen(false);
    } else if (state_ == 3) {
        next_ = 0;
    }
}
