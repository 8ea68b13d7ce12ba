// What the tasks ask of crew members: fit for work, alive on the field, inside a room.
#pragma once

#include <cstdint>
#include <initializer_list>

class GAME_CObjectActor;

namespace task_crew {

// Stamina and calorie at least one thousandth, and neither exhausted nor starving.
bool IsFit(const GAME_CObjectActor& actor);
// Out of the pool, not dead, and HP at least one whole unit.
bool IsAliveInField(const GAME_CObjectActor& actor);
// Inside a room: a room has taken it into its crew.
bool IsInsideRoom(const GAME_CObjectActor& actor);
// Clears the AI's target; with `thinkNow` the crew member chooses anew at once.
void ClearAITarget(GAME_CObjectActor& actor, bool thinkNow);
// Removes every queued balloon line of the groups.
void DropBalloonGroups(GAME_CObjectActor& actor, std::initializer_list<std::uint16_t> groups);

}  // namespace task_crew
