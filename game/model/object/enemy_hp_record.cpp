// Filling an enemy's HP record from its kind and changing its HP.
#include "game/model/object/enemy_hp_record.h"

#include <algorithm>
#include <limits>

#include "game/services/data/world_records.h"
#include "game/model/object/object_enemy.h"

namespace {

constexpr std::size_t kWordMaxHp = 0;
constexpr std::size_t kWordReach = 1;
constexpr std::size_t kWordApproachStep = 2;
constexpr std::size_t kWordChargeMax = 3;
constexpr std::size_t kWordFirstAttack = 4;

}  // namespace

void ResetEnemyHPRecord(EnemyHPRecord& record) { record = EnemyHPRecord{}; }

void InitEnemyHPRecord(EnemyHPRecord& record, const EnemyData* data)
{
    static const EnemyData kDefaults{};
    const EnemyData& kind = data != nullptr ? *data : kDefaults;
    record.maxHp = kind.stats[kWordMaxHp];
    record.hp = kind.stats[kWordMaxHp];
    record.reach = kind.stats[kWordReach];
    record.approachStep = kind.stats[kWordApproachStep];
    record.chargeMax = kind.stats[kWordChargeMax];
    for (std::size_t i = 0; i < record.attack.size(); ++i) record.attack[i] = kind.stats[kWordFirstAttack + i];
    record.charge = 0;
}

std::int32_t AddEnemyHP(EnemyHPRecord& record, std::int32_t amount)
{
    const std::int64_t sum = std::int64_t{record.hp} + amount;
    if (amount < 0) {
        record.hp = static_cast<std::int32_t>(std::max<std::int64_t>(sum, 0));
        return record.hp;
    }
    record.hp = sum > std::numeric_limits<std::int32_t>::max() ? record.maxHp : static_cast<std::int32_t>(sum);
    GAME_CObjectEnemy* owner = record.owner;
    if (owner == nullptr) return record.hp;
    if (record.hp <= 0) {
        owner->StartDeath();
    } else if ((record.flags & EnemyHPRecord::kFlagHitReaction) != 0) {
        owner->PlayDamage();
    }
    return record.hp;
}
