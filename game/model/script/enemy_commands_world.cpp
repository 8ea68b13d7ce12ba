// Enemy commands on the world around the enemy: items taken from the ship, a crew member as target, the arcade game's waves and achievements.
#include <algorithm>

#include "framework/math/random.h"
#include "game/services/achievement/achievements.h"
#include "game/services/player/inventory.h"
#include "game/services/player/player_data.h"
#include "game/model/stores/stored_items.h"
#include "game/model/script/enemy_command_handlers.h"
#include "game/model/script/script_enemy.h"
#include "game/model/object/actor_status.h"
#include "game/model/object/field_object_manager.h"
#include "game/model/object/object_actor.h"
#include "game/model/ship/ship_world.h"

namespace enemy_commands {
namespace {

constexpr int kRandomTargetTries = 20;

// The engine's target while it is still one of the active crew.
GAME_CObjectActor* LiveTarget(GAME_CScriptEnemy& script)
{
    const GAME_CFieldObjectManager* manager = ship_world::FieldObjects();
    if (script.target == nullptr || manager == nullptr ||
        std::find(manager->crew.begin(), manager->crew.end(), script.target) == manager->crew.end()) {
        script.target = nullptr;
    }
    return script.target;
}

// Up to 20 random picks among the crew list, then a walk from a random start; null when it holds none.
GAME_CObjectActor* PickRandomCrew()
{
    const GAME_CFieldObjectManager* manager = ship_world::FieldObjects();
    if (manager == nullptr || manager->crew.empty()) return nullptr;
    const auto& crew = manager->crew;
    const int size = static_cast<int>(std::min<std::size_t>(crew.size(), 32767));
    for (int tries = 0; tries < kRandomTargetTries; ++tries) {
        if (GAME_CObjectActor* actor = crew[static_cast<std::size_t>(vesk::math::RandInt(size))]) return actor;
    }
    const int start = vesk::math::RandInt(size);
    for (int step = 0; step < size; ++step) {
        if (GAME_CObjectActor* actor = crew[static_cast<std::size_t>((start + step) % size)]) return actor;
    }
    return nullptr;
}

}  // namespace

// Slot 70: up to a1 units of item a0 taken away: first from the items lying on the ship, then
// from the room inventories.
std::uint32_t TakeItemCommand(SYS_CScriptEngine&, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    if (mode != 0 || !args.Need(2)) return 1;
    const std::uint32_t item = args.U32(0);
    std::int64_t wanted = std::max(args.I32(1), 0);
    if (GAME_CFieldObjectManager* manager = ship_world::FieldObjects()) {
        const std::int64_t before = CountFieldItem(item);
        manager->ConsumeFieldItems(item, static_cast<std::int32_t>(std::min(wanted, before)));
        wanted -= before - CountFieldItem(item);
    }
    const GAME_CPlayerData* player = GetPlayerData();
    for (std::size_t i = 0; player != nullptr && wanted > 0 && i < player->InventoryCount(); ++i) {
        GAME_CInventory* inventory = player->GetInventoryAt(static_cast<std::int64_t>(i));
        while (inventory != nullptr && wanted > 0 && inventory->TakeItem(item)) --wanted;
    }
    return 1;
}

// Slot 75: a random crew member as the target, no target, or a skill, buff or debuff for it.
std::uint32_t TargetCommand(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    GAME_CScriptEnemy& script = EnemyEngine(engine);
    switch (mode) {
    case 0:
        script.target = PickRandomCrew();
        break;
    case 10:
        script.target = nullptr;
        break;
    case 20:
    case 21:
    case 22: {
        GAME_CObjectActor* target = LiveTarget(script);
        if (target == nullptr || !args.Need(1)) break;
        if (mode == 20) target->status.AddSkill(args.U32(0));
        if (mode == 21) target->status.AddBuff(args.U32(0));
        if (mode == 22) target->status.AddDebuff(args.U32(0));
        break;
    }
    default:
        break;
    }
    return 1;
}

// Slot 76: the arcade game's waves: an enemy for the next wave, or how the wave comes.
std::uint32_t MiniGameCommand(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    MiniGameWaveSink* waves = EnemyEngine(engine).waveSink;
    if (waves == nullptr) return 1;
    if (mode == 0 && args.Need(1)) waves->AddWaveEnemy(args.U32(0));
    if (mode == 1 && args.Need(3)) waves->StartWave(args.I32(0), args.I32(1), args.I32(2));
    return 1;
}

// Slot 80: a progress bit of an achievement; bits outside its set touch nothing.
std::uint32_t AchievementCommand(SYS_CScriptEngine&, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    if (mode == 0 && args.Need(3)) SetAchievementFlag(args.U32(0), args.U32(1), args.I32(2) != 0);
    return 1;
}

}  // namespace enemy_commands
