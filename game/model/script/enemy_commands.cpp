// The enemy command table, the enemy kind's registration, the step period and what the handlers share.
#include "game/model/script/enemy_commands.h"

#include <algorithm>
#include <array>

#include "framework/utility/script/script_conditions.h"
#include "game/model/script/actor_commands.h"
#include "game/services/data/static_database.h"
#include "game/services/data/setting_commands.h"
#include "game/services/sound/sound_player.h"
#include "game/model/script/enemy_command_handlers.h"
#include "game/model/script/script_enemy.h"
#include "game/model/object/object_enemy.h"

namespace enemy_commands {

GAME_CScriptEnemy& EnemyEngine(SYS_CScriptEngine& engine) { return static_cast<GAME_CScriptEnemy&>(engine); }

GAME_CObjectEnemy* EnemyOf(SYS_CScriptEngine& engine) { return EnemyEngine(engine).GetEnemy(); }

std::string_view ReadName(const ScriptArgs& args, std::size_t byteOffset, std::size_t width)
{
    if (!args.NeedBytes(byteOffset + width)) return {};
    const char* field = reinterpret_cast<const char*>(args.Data() + byteOffset);
    return std::string_view(field, std::find(field, field + width, '\0') - field);
}

std::u16string ReadLabel(const ScriptArgs& args, std::size_t byteOffset, std::size_t units)
{
    std::u16string label;
    if (!args.NeedBytes(byteOffset + units * 2)) return label;
    for (std::size_t i = 0; i < units; ++i) {
        const auto unit = static_cast<char16_t>(platform::ReadU16(args.Data() + byteOffset + i * 2));
        if (unit == u'\0') break;
        label.push_back(unit);
    }
    return label;
}

void ApplyTest(SYS_CScriptEngine& engine, bool truth)
{
    if (vesk::utility::script::ScriptThread* thread = engine.RunningThread()) {
        vesk::utility::script::ApplyTest(*thread, truth);
    }
}

}  // namespace enemy_commands

namespace {

using vesk::utility::script::ScriptArgs;
using vesk::utility::script::ScriptHandler;
using vesk::utility::script::SYS_CScriptEngine;
using enemy_commands::EnemyEngine;

constexpr std::uint32_t kEnemyTableSize = 81;
constexpr std::size_t kStatCount = 9;
constexpr std::size_t kMusicWord = 10;

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
        if (args.I32(0) < kMusicTrackCount) {
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
    using namespace enemy_commands;
    std::array<ScriptHandler, kEnemyTableSize> handlers{};
    handlers[0] = EnemyKindCommand;
    handlers[1] = EnemyDropCommand;
    handlers[10] = SpriteCommand;
    handlers[11] = EnemyPeriodCommand;
    handlers[12] = EndAndDropCommand;
    handlers[13] = ThirdValueCommand;
    handlers[20] = FlagCommand;
    handlers[21] = FlagTestCommand;
    handlers[22] = MovementCommand;
    handlers[30] = AttackCommand;
    handlers[35] = EffectCommand;
    handlers[40] = VariableCommand;
    handlers[45] = GlobalCommand;
    handlers[50] = PartTreeCommand;
    handlers[51] = PartCommand;
    handlers[60] = PlaySoundEffectCommand;  // the actor table's sound command
    handlers[65] = ItemTestCommand;
    handlers[66] = ConditionResetCommand;
    handlers[70] = TakeItemCommand;
    handlers[75] = TargetCommand;
    handlers[76] = MiniGameCommand;
    handlers[80] = AchievementCommand;
    return handlers;
}();

}  // namespace

vesk::utility::script::CommandTable GetEnemyCommandTable() { return {kEnemyHandlers.data(), kEnemyTableSize}; }
