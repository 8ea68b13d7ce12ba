// The side-scrolling mini-game scene.
#include "game/minigame/scene_minigame.h"

#include "game/core/scene/scene_stack.h"

void GAME_CSceneMiniGameSideScroll::Update()
{
    PushScene(kSceneGameMain);
    ended_ = true;
}
