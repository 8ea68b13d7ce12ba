// What the tasks ask of crew members: fit for work, alive on the field, inside a room.
#include "game/model/ship/task_crew.h"

#include "game/model/object/actor_ai_base.h"
#include "game/model/object/object_actor.h"
#include "game/model/object/object_mes_balloon.h"

namespace task_crew {

bool IsFit(const GAME_CObjectActor& actor)
{
    const GAME_CActorStatus& status = actor.status;
    return status.stamina >= 1 && status.calorie >= 1 && !status.IsExhausted() && !status.IsStarving();
}

bool IsAliveInField(const GAME_CObjectActor& actor) { return actor.IsActive() && !actor.status.IsHPEmpty(); }

bool IsInsideRoom(const GAME_CObjectActor& actor) { return actor.assigned != 0; }

void ClearAITarget(GAME_CObjectActor& actor, bool thinkNow)
{
    if (actor.ai == nullptr) return;
    actor.ai->ClearTarget();
    if (thinkNow) {
        actor.ai->thinkCountdown = 0;
        actor.ai->Think();
    }
}

void DropBalloonGroups(GAME_CObjectActor& actor, std::initializer_list<std::uint16_t> groups)
{
    if (actor.balloon == nullptr) return;
    for (const std::uint16_t group : groups) {
        while (actor.balloon->IsGroupQueued(group)) actor.balloon->RemoveQueuedGroup(group);
    }
}

}  // namespace task_crew
