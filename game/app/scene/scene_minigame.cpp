// The side-scrolling mini-game scene.
#include "game/app/scene/scene_minigame.h"

#include "game/app/scene/scene_stack.h"

void GAME_CSceneMiniGameSideScroll::Update()
{
    PushScene(kSceneGameMain);
    ended_ = true;
}
