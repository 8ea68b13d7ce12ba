// The world's task list: every running crew task, ticked once per simulation step.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "framework/memory/heaps.h"

class GAME_CTaskBase;

inline constexpr std::size_t kMaxTasks = 1235;

// No task kind exists yet, so the list stays empty and its save area holds only empty records.
class GAME_CTaskManager : public vesk::memory::MainHeapObject {
public:
    GAME_CTaskManager() { tasks.reserve(kMaxTasks); }
    void Update() {}
    void Clear() { tasks.clear(); }
    void WriteSaveRecords(std::span<std::uint8_t> slot) const;
    void RestoreFromSave(std::span<const std::uint8_t>) { tasks.clear(); }

    std::vector<GAME_CTaskBase*> tasks;
};
