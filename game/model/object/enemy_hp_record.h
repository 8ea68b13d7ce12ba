// An enemy's HP record: its HP, reach and approach, the movement and facing words, the attack values and the charge.
#pragma once

#include <array>
#include <cstdint>

class GAME_CObjectEnemy;
struct EnemyData;

// What an enemy fights with, filled from its kind's record.
struct EnemyHPRecord {
    // Flags: bits 0 and 1 together let the AI approach and the charge grow;
    // bit 1 also plays the damage label when HP goes up. Every label start
    // sets both.
    static constexpr std::uint32_t kFlagApproach = 1u << 0;
    static constexpr std::uint32_t kFlagHitReaction = 1u << 1;
    static constexpr std::uint32_t kFlagsAtLabelStart = kFlagApproach | kFlagHitReaction;
    static constexpr std::int32_t kFullSpeed = 1000;
    static constexpr std::size_t kAttackValueCount = 5;

    GAME_CObjectEnemy* owner = nullptr;
    std::uint32_t flags = 0;
    // The movement record: the speed factor (per mille; its sign turns the
    // facing round) and five words.
    std::int32_t speedFactor = kFullSpeed;
    std::int32_t facingMode = 0;  // 0 face the ship, 1 face along the route
    std::int32_t invertFacing = 0;
    std::int32_t facingDecided = 0;
    std::int32_t climb = 0;  // the arcade game: climb instead of walking
    std::int32_t refreshFacing = 1;  // decide the facing every step
    std::int32_t maxHp = 0;
    std::int32_t hp = 0;
    std::int32_t reach = 0;          // route units
    std::int32_t approachStep = 0;   // millionths of a route unit at full speed
    std::int32_t chargeMax = 0;
    // The kind's record words 4 to 8: hull damage, knock-back ratio and
    // length, a spare value and what a spent attack takes off the damage.
    std::array<std::int32_t, kAttackValueCount> attack{};
    std::int32_t charge = 0;
};

// The record of a new enemy: no owner, flags 0, the movement words
// (1000, 0, 0, 0, 0, 1), the rest 0.
void ResetEnemyHPRecord(EnemyHPRecord& record);
// HP and maximum from word 0, reach from word 1, approach step and charge
// maximum from words 2 and 3, the attack values from words 4 to 8; without a
// record the defaults of an enemy kind. The movement words stay.
void InitEnemyHPRecord(EnemyHPRecord& record, const EnemyData* data);

// A negative amount lowers HP, not below 0, and nothing more happens (the
// owner's next update starts its death). A zero or positive amount raises it
// (the maximum when the sum would pass the largest HP); at 0 or less the
// owner's death starts unless it is already dying, else with flag bit 1 the
// owner plays its damage label. Returns the HP.
std::int32_t AddEnemyHP(EnemyHPRecord& record, std::int32_t amount);
