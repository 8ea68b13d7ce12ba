// A crew member's status block: meters in thousandths, condition flags, and skill, buff and debuff slots.
#pragma once

#include <array>
#include <cstdint>

#include "game/core/data/record_entries.h"

struct BuffData;
struct DebuffData;

// What the ship and its rooms use of the status block; the meters' drain, the skills and the
// recalculation from the records come with the crew members themselves.
class GAME_CActorStatus {
public:
    struct BuffSlot {
        std::uint32_t id = kNoId;
        const BuffData* record = nullptr;
        std::int32_t timer = 0;
    };
    struct DebuffSlot {
        std::uint32_t id = kNoId;
        const DebuffData* record = nullptr;
        std::int32_t timer = 0;
    };

    // Nothing for an unknown id; a held buff gets its timer restarted (seconds x 60); otherwise the
    // first empty slot takes it with timer 0.
    void AddBuff(std::uint32_t buffId);
    // Nothing for an unknown or held debuff; otherwise the first empty slot takes it.
    void AddDebuff(std::uint32_t debuffId);
    // Every meter at its maximum, both buff slots empty.
    void RestoreFully();

    // Meters in thousandths, maxima in whole units.
    std::int32_t hp = 100000;
    std::int32_t stamina = 100000;
    std::int32_t calorie = 100000;
    std::int32_t maxHp = 100;
    std::int32_t maxStamina = 100;
    std::int32_t maxCalorie = 100;
    std::array<BuffSlot, 2> buffs{};
    std::array<DebuffSlot, 2> debuffs{};
};
