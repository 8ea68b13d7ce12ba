// Static records of the crew: base stats, skills, buffs, debuffs and speech balloons.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "game/services/data/record_entries.h"

struct TaskData;

// What a new crew member starts from.
struct ActorBaseStats {
    std::int32_t maxHp = 100;
    std::int32_t maxStamina = 100;
    std::int32_t staminaRecoveryPeriod = 6000;           // frames
    std::int32_t exhaustedStaminaRecoveryPeriod = 6000;  // frames
    std::int32_t maxCalorie = 100;
    std::int32_t caloriePeriod = 6000;  // frames
    float walkSpeedX = 1.0f;            // pixels per frame
    float walkSpeedY = 0.5f;
    std::int32_t value8 = 1;  // no setter
    std::int32_t secondSkillSlotNeed = 0;
    std::int32_t workInterval = 60;               // frames
    std::int32_t starvingStaminaDrainPeriod = 600;  // frames
    std::int32_t criticalHpDrainPeriod = 600;       // frames
};

// Puts a crew base-stat record back to its defaults.
inline void InitActorBaseStats(ActorBaseStats& stats) { stats = ActorBaseStats{}; }

// Seven per-mille factors and the room kind they apply in, shared by skills, buffs and debuffs.
struct StatModifier {
    static constexpr std::int32_t kMinLastFactor = 100;
    std::array<std::int32_t, 7> factors{1000, 1000, 1000, 1000, 1000, 1000, 1000};
    std::uint32_t roomKind = kNoId;  // a known room-id tag, else none
};

struct SkillData : StatModifier {
    std::array<std::int32_t, 2> pairFactors{1000, 1000};
    std::uint32_t id = kNoId;
    std::int32_t count = 0;
    std::int32_t lastFactor = 1000;
};

struct BuffData : StatModifier {
    std::int32_t durationSeconds = 0;
    std::array<std::int32_t, 2> pairFactors{1000, 1000};
    std::int32_t taskKind = -1;  // 0..18, or -1 for any
    std::uint32_t balloonGroup = kNoId;
    std::uint32_t color = 0;  // 0: the database's buff colour
};

inline void InitStatModifierRecord(BuffData& buff) { buff = BuffData{}; }

struct DebuffData : StatModifier {
    std::int32_t durationSeconds = 0;
    std::int32_t hpDrainInterval = 0;  // frames
    const TaskData* treatment = nullptr;
    std::uint32_t balloonGroup = kNoId;
    std::uint32_t color = 0;  // 0: the database's debuff colour
};

// A group of balloon lines a crew member may say.
struct BalloonGroup {
    std::vector<std::uint32_t> lines;
    std::uint32_t buffId = kNoId;
    std::uint32_t debuffId = kNoId;
    std::int32_t flag = 0;
};

// A balloon line picked by how full a meter is, in per mille.
struct BalloonRange {
    std::int32_t lower = 0;
    std::int32_t upper = 1000;
    std::uint32_t lineId = kNoId;
};
