// Static record of a task kind: costs, materials, results and bonuses of one task id.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "game/services/data/record_entries.h"

// The task factory's kind numbers.
enum TaskKind : std::int32_t {
    kTaskRoomBuild = 0,
    kTaskItemCraft = 2,
    kTaskRoomUpgrade = 3,
    kTaskMeal = 4,
    kTaskBreak = 5,
    kTaskItemCarrier = 6,
    kTaskCooking = 7,
    kTaskCarrierFromInventory = 8,
    kTaskAttackToEnemy = 9,
    kTaskReload = 10,
    kTaskDoctor = 11,
    kTaskPatient = 12,
    kTaskRouteScan = 13,
    kTaskEngineMaintenance = 14,
    kTaskBridgeDriver = 15,
    kTaskMealOnGrid = 16,
    kTaskMindControl = 17,
    kTaskRefuel = 18,
};
inline constexpr std::int32_t kTaskKindCount = 19;

// Bonus types: what a completed task may give a crew member.
enum TaskBonusType : std::int32_t {
    kBonusSkill = 0,
    kBonusBuff = 1,
    kBonusDebuff = 2,
    kBonusUnused = 3,
};

struct TaskBonus {
    std::int32_t type = kBonusUnused;
    std::uint32_t id = kNoId;
    std::int32_t weight = 0;
};

// An effect field a completed task leaves at its room.
struct TaskEffect {
    std::uint32_t id = kNoId;
    std::int32_t value = 0;
    std::int32_t count = 0;
};

struct TaskData {
    std::uint32_t id = kNoId;
    std::int32_t value = 0;
    std::int32_t kind = 0;
    // The first block: what the task makes, and the debuff it treats.
    std::uint32_t productItem = kNoId;  // for upgrades, the upgrade's bit
    std::int32_t productCount = 0;
    std::int32_t amount = 0;  // fuel of a refuel (signed); frames of a route scan; HP of a heal
    std::uint32_t treatedDebuff = kNoId;
    std::array<TaskBonus, 8> bonuses{};
    std::int32_t noBonusWeight = 0;
    TaskEffect effectA{};
    std::int32_t effectAWord = 0;
    TaskEffect effectB{};
    std::int32_t effectBWord = 0;
    std::array<ItemCount, 5> materials{};  // ends at id -1 or count 0
    std::uint32_t requiredUpgradeBits = 0;  // bits 0..10; a room must have them all
    std::vector<std::uint32_t> ids;
    std::int32_t crewLimit = 0;
    std::int32_t durationSeconds = 0;
    std::int32_t staminaChange = 0;  // totals over the whole task
    std::int32_t calorieChange = 0;
    std::int32_t startSound = -1;  // used when below 63
    std::int32_t completionSound = -1;

    // Puts the product, amount and treatment back to their defaults.
    void ResetFirstBlock()
    {
        productItem = kNoId;
        productCount = 0;
        amount = 0;
        treatedDebuff = kNoId;
    }
};

// Meals, breaks, doctors and patients restore the crew instead of costing them.
inline bool IsUpkeepTaskKind(const TaskData& task)
{
    return task.kind == kTaskMeal || task.kind == kTaskBreak || task.kind == kTaskDoctor ||
           task.kind == kTaskPatient;
}
