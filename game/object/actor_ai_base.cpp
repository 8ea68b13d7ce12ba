// A crew member's AI: where it walks and what it does. Until the crew AI is built it stands still.
#include "game/object/actor_ai_base.h"

void GAME_CActorAIBase::Reset(GAME_CObjectActor* newOwner)
{
    owner = newOwner;
    targetCell = {0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF};
    thinkCountdown = 0;
    pathLength = 0;
    pathIndex = 0;
    for (auto& step : pathSteps) step = {-1, -1};
    repairRequested = 0;
}
