// The task factory's side that the task list uses: whether a kind has a class, and the request a save record stands for.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "game/model/ship/task_request.h"

// Kinds 0 and 2 to 18 have a class; kind 1 and any other number none.
bool HasTaskClass(std::int32_t kind);
// The request that makes the record's task again (restored flag set); none for a record whose
// kind has no class, whose task-data record is gone, or whose kind keeps no task across a save.
std::optional<GAME_CTaskRequest> MakeRequestFromSaveRecord(std::span<const std::uint8_t> record);
