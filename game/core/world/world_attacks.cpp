// Attacks between the ship's crew and the enemies, posted to the game world.
#include "game/core/world/world_attacks.h"

#include <algorithm>

#include "game/core/sound/sound_player.h"
#include "game/object/object_enemy.h"

namespace {

constexpr std::uint32_t kSoundEffectLimit = 63;

}  // namespace

void ApplyCrewAttackToEnemy(const AttackRecord& attack, GAME_CObjectEnemy* enemy)
{
    if (enemy == nullptr) return;
    const std::int32_t damage = std::max(0, attack.power);
    enemy->hp = std::max(0, enemy->hp - damage);
    if (attack.sound < kSoundEffectLimit) {
        if (GAME_CSoundPlayer* player = GetSoundPlayer()) player->PlaySE(attack.sound);
    }
}
