// What completed tasks give: crafted items, the bonus draw, the cook's skill draw, skills and debuffs taken away, and crew for the next task.
#pragma once

#include <cstdint>

class GAME_CObjectActor;
class GAME_CRoomBase;
class GAME_CTaskBase;
struct CookingRecipe;
struct TaskData;

// The record's product dropped as item stacks near the room (marked discovered, the golden cheese
// counted for its achievement); then the room's next task gets its crew.
void ProduceCraftedItems(GAME_CTaskBase& task, const TaskData& record, GAME_CRoomBase& room);
// Each working crew member draws on its own from the record's bonus table: a skill, a buff or a
// debuff, or nothing when the draw falls in the no-bonus share.
void DrawCompletionBonus(const GAME_CTaskBase& task, const TaskData& record);
// Each working crew member may learn a skill of the dish's skill table.
void DrawRecipeSkill(const GAME_CTaskBase& task, const CookingRecipe& recipe);
// Mind control empties the skill slots holding the record's skill; a treatment the debuff slots
// holding its debuff (every slot for an id of -1, -2 or 0).
void ClearControlledSkills(const GAME_CTaskBase& task, const TaskData& record);
// Crew for the task up to its crew limit, one hand-out at a time until one brings nobody.
void StaffTask(GAME_CTaskBase& task);
// A random number of 64 bits (four draws of the shared generator).
std::uint64_t DrawRandom64();
