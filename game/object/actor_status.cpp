// A crew member's status block: meters in thousandths, condition flags, and skill, buff and debuff slots.
#include "game/object/actor_status.h"

#include "game/core/data/static_lookups.h"

namespace {

constexpr std::int32_t kFramesPerSecond = 60;

}  // namespace

void GAME_CActorStatus::AddBuff(std::uint32_t buffId)
{
    const BuffData* record = FindBuffData(buffId);
    if (record == nullptr) return;
    for (BuffSlot& slot : buffs) {
        if (slot.id == buffId) {
            slot.timer = record->durationSeconds * kFramesPerSecond;
            return;
        }
    }
    for (BuffSlot& slot : buffs) {
        if (slot.id == kNoId) {
            slot = BuffSlot{buffId, record, 0};
            return;
        }
    }
}

void GAME_CActorStatus::AddDebuff(std::uint32_t debuffId)
{
    const DebuffData* record = FindDebuffData(debuffId);
    if (record == nullptr) return;
    for (const DebuffSlot& slot : debuffs) {
        if (slot.id == debuffId) return;
    }
    for (DebuffSlot& slot : debuffs) {
        if (slot.id == kNoId) {
            slot = DebuffSlot{debuffId, record, 0};
            return;
        }
    }
}

void GAME_CActorStatus::RestoreFully()
{
    hp = maxHp * 1000;
    stamina = maxStamina * 1000;
    calorie = maxCalorie * 1000;
    buffs = {};
}
