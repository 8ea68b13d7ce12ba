// The switch from the main game to the arcade game that the game center asks for.
#include "game/ui/app_links.h"

#include "game/app/scene/scene_stack.h"

void SwitchToArcadeGame()
{
    PushScene(kSceneMiniGame);
    EndMainGameScene(*GetSceneStack());
}
