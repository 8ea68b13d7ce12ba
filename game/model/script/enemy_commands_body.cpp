// Enemy commands on the enemy itself: sprite and arcade values, the end request and drops, values, flags, movement and attacks.
#include <algorithm>

#include "framework/graphics/sprite_registry.h"
#include "game/model/script/enemy_command_handlers.h"
#include "game/model/script/enemy_random.h"
#include "game/model/world/world_attacks.h"
#include "game/model/object/object_enemy.h"

namespace enemy_commands {
namespace {

// More drops than the drop pool holds would only take the oldest again.
constexpr std::int64_t kMostDrops = 128;
constexpr float kPerMille = 0.001f;

}  // namespace

// Slot 10: the sprite and its size; two factors, two rectangles and two flags.
std::uint32_t SpriteCommand(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    GAME_CObjectEnemy* enemy = EnemyOf(engine);
    if (enemy == nullptr) return 1;
    switch (mode) {
    case 0: {
        if (!args.Need(3)) return 1;
        const auto* sprite = vesk::resource::GetSpriteAt(GAME_CObjectEnemy::kEnemySpriteGroup, args.I32(0));
        // A missing sprite, or one without size, changes nothing.
        if (sprite == nullptr || sprite->GetWidth() == 0 || sprite->GetHeight() == 0) return 1;
        const auto width = static_cast<float>(sprite->GetWidth());
        const auto height = static_cast<float>(sprite->GetHeight());
        enemy->spriteIndex = args.I32(0);
        enemy->scaleX = static_cast<float>(args.I32(1)) / width;
        enemy->scaleY = (height + static_cast<float>(args.I32(2))) / height;
        return 1;
    }
    case 1:
        if (args.Need(2)) enemy->factors = {static_cast<float>(args.I32(0)) * kPerMille, static_cast<float>(args.I32(1)) * kPerMille};
        return 1;
    case 2:
    case 3:
        if (args.Need(4)) {
            for (std::size_t i = 0; i < 4; ++i) enemy->rects[mode - 2][i] = static_cast<float>(args.I32(i));
        }
        return 1;
    case 4:
        if (args.Need(1)) enemy->arcadeFlags.fill(args.I32(0) != 0 ? 1 : 0);
        return 1;
    default:
        return 1;
    }
}

// Slot 12: the end request, a number of drops, or a drop kept for later.
std::uint32_t EndAndDropCommand(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    GAME_CObjectEnemy* enemy = EnemyOf(engine);
    if (enemy == nullptr) return 1;
    if (mode == 0) {
        enemy->dead = 1;
    } else if (mode == 1 && args.Need(2)) {
        const std::int64_t count = std::clamp<std::int64_t>(RandomInclusive(args.I32(0), args.I32(1)), 0, kMostDrops);
        for (std::int64_t i = 0; i < count; ++i) enemy->SpawnDropItem();
    } else if (mode == 2) {
        enemy->PickDropItem();
    }
    return 1;
}

// Slot 13: the enemy's third value.
std::uint32_t ThirdValueCommand(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    GAME_CObjectEnemy* enemy = EnemyOf(engine);
    if (enemy != nullptr && mode == 0 && args.Need(1)) enemy->thirdValue = args.I32(0);
    return 1;
}

// Slot 20: flag bit 0 or 1 of the HP record.
std::uint32_t FlagCommand(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    GAME_CObjectEnemy* enemy = EnemyOf(engine);
    if (enemy == nullptr || mode > 1 || !args.Need(1)) return 1;
    const std::uint32_t bit = 1u << mode;
    enemy->hpRecord.flags = args.I32(0) != 0 ? (enemy->hpRecord.flags | bit) : (enemy->hpRecord.flags & ~bit);
    return 1;
}

// Slot 21: the condition that flag bit 0 or 1 is set.
std::uint32_t FlagTestCommand(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs&, std::uint16_t)
{
    const GAME_CObjectEnemy* enemy = EnemyOf(engine);
    if (enemy != nullptr && mode <= 1) ApplyTest(engine, (enemy->hpRecord.flags & (1u << mode)) != 0);
    return 1;
}

// Slot 22: the movement record, the speed factor and its five words.
std::uint32_t MovementCommand(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    GAME_CObjectEnemy* enemy = EnemyOf(engine);
    if (enemy == nullptr || !args.Need(1)) return 1;
    EnemyHPRecord& record = enemy->hpRecord;
    const std::int32_t a0 = args.I32(0);
    // A new movement: the rate, how the facing is decided, and a facing decided anew every step.
    const auto start = [&](std::int32_t facingMode) {
        record.speedFactor = a0;
        record.facingMode = facingMode;
        record.invertFacing = facingMode;
        record.facingDecided = 0;
        record.climb = 0;
        record.refreshFacing = 1;
    };
    switch (mode) {
    case 0:
    case 14:
        start(0);
        break;
    case 1:
        start(1);
        break;
    case 10:
    case 11:
        record.invertFacing = mode == 11 ? 1 : 0;
        record.climb = 0;
        record.refreshFacing = 0;
        record.facingDecided = a0 == 0 ? 1 : 0;
        break;
    case 12:
        record.invertFacing = 0;
        record.refreshFacing = 1;
        record.facingDecided = a0 == 0 ? 1 : 0;
        break;
    case 13:
        record.refreshFacing = a0 != 0 ? 1 : 0;
        break;
    default:
        break;
    }
    return 1;
}

// Slot 30: an attack on the ship with the power per mille; or the first attack
// value lowered by the fifth.
std::uint32_t AttackCommand(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    GAME_CObjectEnemy* enemy = EnemyOf(engine);
    if (enemy == nullptr) return 1;
    auto& attack = enemy->hpRecord.attack;
    if (mode == 20) {
        attack[0] = static_cast<std::int32_t>(std::clamp<std::int64_t>(std::int64_t{attack[0]} - attack[4], INT32_MIN, INT32_MAX));
        return 1;
    }
    if ((mode != 0 && mode != 10) || !args.Need(4)) return 1;
    const std::int64_t power = args.I32(3);
    const auto scaled = [power](std::int32_t value) {
        return static_cast<std::int32_t>(std::clamp<std::int64_t>(value * power / 1000, INT32_MIN, INT32_MAX));
    };
    EnemyAttackRecord record;
    record.power = scaled(attack[0]);
    record.knockBackRatio = scaled(attack[1]);
    record.knockBackLength = attack[2];
    record.extraValue = attack[3];
    ApplyEnemyAttackToShip(record);
    return 1;
}

}  // namespace enemy_commands
