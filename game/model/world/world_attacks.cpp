// Attacks between the ship's crew and the enemies: the damage roll, the enemy's hit and the ship's hit.
#include "game/model/world/world_attacks.h"

#include <algorithm>
#include <string>

#include "framework/graphics/sprite_registry.h"
#include "framework/math/random.h"
#include "framework/text/format_text.h"
#include "game/services/sound/sound_player.h"
#include "game/services/clock/game_clock.h"
#include "game/model/world/game_world.h"
#include "game/model/object/object_enemy.h"

namespace {

constexpr std::u16string_view kHitEffect = u"hit_spark";
constexpr std::uint32_t kEffectNameWrap = 32768;

// "ShipHit_007": the prefix and the world's effect counter, which counts on.
std::u16string NextEffectName(GAME_CGameWorld& world, std::u16string_view prefix)
{
    const std::u16string name = vesk::text::FormatText(std::u16string(prefix) + u"_%03d", {world.effectNameCounter});
    world.effectNameCounter = (world.effectNameCounter + 1) % kEffectNameWrap;
    return name;
}

}  // namespace

std::int32_t RollAttackDamage(std::int32_t power, std::int32_t spreadPerMille)
{
    std::int64_t damage = power;
    if (spreadPerMille > 0) {
        const std::int64_t spread = std::int64_t{power} * spreadPerMille / 1000;
        const std::int64_t width = std::clamp<std::int64_t>(2 * spread + 1, 1, 32768);
        damage = power - spread + vesk::math::RandInt(static_cast<int>(width));
    }
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(damage, 0, std::numeric_limits<std::int32_t>::max()));
}

void ApplyCrewAttackToEnemy(const AttackRecord& attack, GAME_CObjectEnemy* enemy)
{
    if (enemy == nullptr) return;
    const std::int32_t damage = RollAttackDamage(attack.power, attack.secondValue);
    const bool wasAlive = enemy->hpRecord.hp >= 1;
    AddEnemyHP(enemy->hpRecord, -damage);
    enemy->damageFlash = GAME_CObjectEnemy::kDamageFlashFrames;
    // A defeat counts once, on the hit that took the last HP.
    if (wasAlive && enemy->hpRecord.hp <= 0) {
        if (GAME_CGameClock* clock = PeekGameClock()) ++clock->enemiesDefeated;
    }
    GAME_CGameWorld* world = PeekGameWorld();
    if (world != nullptr && world->fieldObjects) world->fieldObjects->AddEnemyDamageNumber(enemy, damage);
    if (world != nullptr && world->effects) {
        vesk::utility::particle::UTL_SEffectRequest request;
        request.objectName = NextEffectName(*world, u"EnmHit");
        request.labelName = kHitEffect;
        float width = 16.0f;
        float height = 16.0f;
        if (const auto* sprite = vesk::resource::GetSpriteAt(GAME_CObjectEnemy::kEnemySpriteGroup, enemy->spriteIndex)) {
            const float size = std::max(enemy->scaleX, 0.0f);
            width = static_cast<float>(sprite->GetWidth()) * size;
            height = static_cast<float>(sprite->GetHeight()) * size;
        }
        const float x = enemy->position.x + static_cast<float>(world->ship ? world->ship->scrollX : 0) - width * 0.5f +
                        vesk::math::RandFloat(std::max(width, 1.0f));
        const float y = enemy->position.y + static_cast<float>(world->ship ? world->ship->scrollY : 0) - height +
                        vesk::math::RandFloat(std::max(height, 1.0f));
        request.params.offset = {x, y};
        world->effects->SpawnParticleEffect(request);
    }
    if (attack.sound < kSoundEffectCount) {
        if (GAME_CSoundPlayer* player = GetSoundPlayer()) player->PlaySE(attack.sound);
    }
}

void ApplyEnemyAttackToShip(const EnemyAttackRecord& attack)
{
    GAME_CGameWorld* world = PeekGameWorld();
    if (world == nullptr || !world->ship) return;
    const std::int32_t damage = RollAttackDamage(attack.power, attack.spreadPerMille);
    std::int32_t x = -1;
    std::int32_t y = -1;
    const bool hit = world->ship->AddDamageAtRandomCell(damage, &x, &y);
    if (world->travel) {
        const bool knocked = attack.knockBackRatio >= 1 && attack.knockBackLength >= 1;
        world->travel->knockBackRatio = knocked ? attack.knockBackRatio : 0;
        world->travel->knockBackLength = knocked ? attack.knockBackLength : 0;
    }
    if (!hit) return;
    if (world->fieldObjects) {
        world->fieldObjects->AddCellDamageNumber(x, y, damage);
        world->fieldObjects->DamageActorsAtCell(x, y, CellDamageRecord{damage, 0});
    }
    if (!world->effects) return;
    vesk::utility::particle::UTL_SEffectRequest request;
    request.kind = vesk::utility::particle::kEffectOnShipCell;
    request.objectName = NextEffectName(*world, u"ShipHit");
    request.labelName = attack.effectLabel.empty() ? kHitEffect : attack.effectLabel;
    request.params.cellX = x;
    request.params.cellY = y;
    world->effects->SpawnParticleEffect(request);
}
