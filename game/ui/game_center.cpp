// The game center (slot 30): turns the running game into the side-scrolling mini-game.
#include "game/ui/game_center.h"

#include "game/core/scene/scene_stack.h"
#include "game/ui/ui_draw.h"

void GAME_CUIGameCenter::SetOpen(bool open)
{
    if (open && open_ == 0) {
        openRequest_ = 1;
        open_ = 1;
    } else if (!open && open_ != 0) {
        closeRequest_ = 1;
    }
}

void GAME_CUIGameCenter::Update(bool)
{
    if (openRequest_ != 0) {
        next_ = 1;
    } else if (closeRequest_ != 0) {
        next_ = 3;
    }
    openRequest_ = 0;
    closeRequest_ = 0;
    if (next_ != state_) {
        state_ = next_;
        if (state_ == 0) {
            open_ = 0;
            return;
        }
    }
    if (state_ == 1) {
        PlayUISE(kStartJingle);
        PushScene(kSceneMiniGame);
        EndMainGameScene(*GetSceneStack());
        SetOpen(false);
    } else if (state_ == 3) {
        next_ = 0;
    }
}
