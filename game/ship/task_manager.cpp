// The world's task list: every running crew task, ticked once per simulation step.
#include "game/ship/task_manager.h"

#include "game/core/save/save_image.h"

void GAME_CTaskManager::WriteSaveRecords(std::span<std::uint8_t> slot) const { InitTaskSaveArea(slot); }
