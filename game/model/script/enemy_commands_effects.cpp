// Enemy commands of effects: particle effects that follow the enemy, script objects at the enemy, and their offset, scale and value.
#include <string>

#include "framework/text/format_text.h"
#include "framework/text/utf.h"
#include "game/services/data/tag.h"
#include "game/model/script/enemy_command_handlers.h"
#include "game/model/script/enemy_random.h"
#include "game/model/script/script_enemy.h"
#include "game/model/world/game_world.h"
#include "game/model/minigame/script_object_spawner.h"
#include "framework/utility/effect/effect_layer.h"
#include "game/model/object/object_enemy.h"

namespace enemy_commands {
namespace {

// "E016_0000002A": the enemy's id and the engine's effect counter, which counts on.
std::u16string NextEffectName(GAME_CScriptEnemy& script, const GAME_CObjectEnemy& enemy)
{
    const std::u16string id = vesk::text::Utf8ToUtf16(TagText(enemy.GetEnemyId()));
    const std::u16string name = vesk::text::FormatText(u"%ls_%08X", {id, std::uint32_t{script.effectCounter}});
    ++script.effectCounter;
    return name;
}

void SpawnEffect(GAME_CScriptEnemy& script, GAME_CObjectEnemy& enemy, std::u16string label)
{
    GAME_CGameWorld* world = PeekGameWorld();
    if (world == nullptr || !world->effects) return;
    vesk::utility::particle::UTL_SEffectRequest request;
    request.kind = vesk::utility::particle::kEffectFollow;
    request.objectName = NextEffectName(script, enemy);
    request.labelName = std::move(label);
    request.params.anchor = enemy.EffectAnchor();
    request.params.anchorMode = static_cast<std::uint32_t>(script.anchorMode);
    request.params.offset = script.effectOffset;
    request.params.scale = script.effectScale;
    request.params.rotation = script.effectValue;
    world->effects->SpawnParticleEffect(request);
}

void SpawnObject(GAME_CScriptEnemy& script, GAME_CObjectEnemy& enemy, std::u16string label)
{
    constexpr std::int32_t kAnchorAtSpriteOrigin = 3;
    ScriptObjectRequest request;
    request.objectName = NextEffectName(script, enemy);
    request.labelName = std::move(label);
    request.position = enemy.GetPosition();
    if (script.anchorMode == kAnchorAtSpriteOrigin) {
        const float side = enemy.facing != 0 ? -1.0f : 1.0f;
        request.position.x += side * script.effectOffset.x;
        request.position.y += script.effectOffset.y;
    }
    request.scale = script.effectScale;
    request.rotation = script.effectValue;
    request.mirror = enemy.facing != 0;
    SpawnScriptObject(vesk::utility::particle::GetEffectEngine(), request);
}

}  // namespace

// Slot 35: effects at the enemy and their settings.
std::uint32_t EffectCommand(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    GAME_CScriptEnemy& script = EnemyEngine(engine);
    GAME_CObjectEnemy* enemy = script.GetEnemy();
    if (enemy == nullptr) return 1;
    switch (mode) {
    case 0:
    case 5: {
        std::u16string label = ReadLabel(args, 0);
        if (label.empty()) return 1;
        if (mode == 0) {
            SpawnEffect(script, *enemy, std::move(label));
        } else {
            SpawnObject(script, *enemy, std::move(label));
        }
        return 1;
    }
    case 1:
    case 2:
    case 3:
    case 4:
        if (!args.Need(2)) return 1;
        script.effectOffset = {args.F32(0), args.F32(1)};
        script.anchorMode = mode - 1;
        return 1;
    case 11:
        if (args.Need(4)) script.effectScale = {RandomBetween(args.F32(0), args.F32(2)), RandomBetween(args.F32(1), args.F32(3))};
        return 1;
    case 12:
        if (args.Need(2)) script.effectScale.x = RandomBetween(args.F32(0), args.F32(1));
        return 1;
    case 13:
        if (args.Need(2)) script.effectScale.y = RandomBetween(args.F32(0), args.F32(1));
        return 1;
    case 21:
        if (args.Need(2)) script.effectValue = RandomBetween(args.F32(0), args.F32(1));
        return 1;
    default:
        return 1;
    }
}

}  // namespace enemy_commands
