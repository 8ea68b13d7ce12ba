// Handlers of the enemy command table.
#include "game/core/script/enemy_commands.h"

#include <algorithm>
#include <array>

#include "game/core/data/static_database.h"
#include "game/core/data/setting_commands.h"
#include "game/core/script/script_enemy.h"
#include "game/object/object_enemy.h"

namespace {

using vesk::utility::script::ScriptArgs;
using vesk::utility::script::ScriptHandler;
using vesk::utility::script::SYS_CScriptEngine;

constexpr std::uint32_t kEnemyTableSize = 81;
constexpr std::size_t kStatCount = 9;
constexpr std::size_t kMusicWord = 10;
constexpr std::int32_t kMusicCount = 11;

GAME_CScriptEnemy& EnemyEngine(SYS_CScriptEngine& engine) { return static_cast<GAME_CScriptEnemy&>(engine); }

// The record of the driven enemy's id, created when absent; null without an
// enemy or a database.
EnemyData* EnemyKindOf(SYS_CScriptEngine& engine)
{
    const GAME_CObjectEnemy* enemy = EnemyEngine(engine).GetEnemy();
    GAME_CStaticDatabase* database = GetStaticDatabase();
    if (enemy == nullptr || database == nullptr) {
        return nullptr;
    }
    return database->GetOrCreateEnemyData(enemy->GetEnemyId());
}

// Slot 0: the enemy kind's stats and words.
std::uint32_t EnemyKindCommand(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    static constexpr std::size_t kWordsByMode[] = {kStatCount, 1, 1, 5};
    if (mode >= std::size(kWordsByMode) || !args.Need(kWordsByMode[mode])) {
        return 1;
    }
    EnemyData* data = EnemyKindOf(engine);
    if (data == nullptr) {
        return 1;
    }
    switch (mode) {
    case 0:
        for (std::size_t i = 0; i < kStatCount; ++i) {
            data->stats[i] = args.I32(i);
        }
        break;
    case 1:
        data->stats[kEnemySpriteIndex] = args.I32(0);
        break;
    case 2:
        if (args.I32(0) < kMusicCount) {
            data->stats[kMusicWord] = args.I32(0);
        }
        break;
    case 3:
        for (std::size_t i = 0; i < data->miniGame.size(); ++i) {
            data->miniGame[i] = args.I32(i);
        }
        break;
    default:
        break;
    }
    return 1;
}

// Slot 1: a drop-table entry {item id, weight}, one per item.
std::uint32_t EnemyDropCommand(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    if (mode != 0 || !args.Need(2)) {
        return 1;
    }
    EnemyData* data = EnemyKindOf(engine);
    if (data == nullptr) {
        return 1;
    }
    const std::uint32_t itemId = args.U32(0);
    EnemyDrop* entry = FindEntryForId(
        std::span<EnemyDrop>(data->drops), itemId, [](const EnemyDrop& drop) { return drop.itemId; },
        [](const EnemyDrop& drop) { return drop.itemId == kNoId || drop.weight <= 0; });
    if (entry == nullptr) {
        const GAME_CObjectEnemy* enemy = EnemyEngine(engine).GetEnemy();
        setting_commands::ReportRefused("enemy " + DescribeId(enemy->GetEnemyId()) +
                                        ": all eight drops are in use");
        return 1;
    }
    *entry = EnemyDrop{itemId, args.I32(1)};
    return 1;
}

// Slot 11: the step period, at least 0.
std::uint32_t EnemyPeriodCommand(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args,
                                 std::uint16_t)
{
    if (mode == 0 && args.Need(1)) {
        EnemyEngine(engine).Period().Set(std::max(0, args.I32(0)));
    }
    return 1;
}

constexpr auto kEnemyHandlers = [] {
    std::array<ScriptHandler, kEnemyTableSize> handlers{};
    handlers[0] = EnemyKindCommand;
    handlers[1] = EnemyDropCommand;
    handlers[11] = EnemyPeriodCommand;
    return handlers;
}();

}  // namespace

vesk::utility::script::CommandTable GetEnemyCommandTable() { return {kEnemyHandlers.data(), kEnemyTableSize}; }
