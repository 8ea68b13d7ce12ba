// Enemy commands of values and conditions: the enemy's values, the script's sixteen variables, the global flags and counters, and item counts.
#include <algorithm>
#include <cstdlib>

#include "framework/utility/script/script_conditions.h"
#include "game/model/stores/stored_items.h"
#include "game/services/save/save_image.h"
#include "game/services/save/working_slot.h"
#include "game/model/script/enemy_command_handlers.h"
#include "game/model/script/enemy_random.h"
#include "game/model/script/script_enemy.h"
#include "game/model/script/script_operators.h"
#include "game/model/object/field_draw.h"
#include "game/model/object/object_enemy.h"

namespace enemy_commands {
namespace {

// Where the second text argument of a named statement begins, and the words after it.
constexpr std::size_t kSecondName = kNameBytes;
constexpr std::size_t kWordAfterName = kNameBytes / 4;
constexpr std::size_t kWordAfterTwoNames = 2 * kNameBytes / 4;
// Slot 45 and 65: a word, a text, then a word.
constexpr std::size_t kTextAfterWord = 4;
constexpr std::size_t kWordAfterWordAndText = 1 + kNameBytes / 4;

std::int32_t ToWord(std::int64_t value)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

// The right side of sub-codes 10 to 12 and 100 to 102: a value, an enemy value, or a random number.
std::optional<std::int64_t> RightSide(const GAME_CObjectEnemy& enemy, std::uint8_t kind, const ScriptArgs& args)
{
    switch (kind) {
    case 0:
        if (args.Need(kWordAfterTwoNames + 1)) return args.I32(kWordAfterTwoNames);
        break;
    case 1:
        if (args.Need(kWordAfterTwoNames + 1)) return GetEnemyStat(enemy, args.U32(kWordAfterTwoNames));
        break;
    case 2:
        if (args.Need(kWordAfterTwoNames + 2)) {
            return RandomBelowLarger(args.I32(kWordAfterTwoNames), args.I32(kWordAfterTwoNames + 1));
        }
        break;
    default:
        break;
    }
    return std::nullopt;
}

}  // namespace

std::int64_t GetEnemyStat(const GAME_CObjectEnemy& enemy, std::uint32_t index)
{
    const EnemyHPRecord& record = enemy.hpRecord;
    const std::int64_t route = enemy.routePosition;
    const std::int64_t home = enemy.homePosition;
    const std::int64_t ship = ShipRoutePosition();
    const std::int64_t reachLeft = std::int64_t{record.reach} - std::llabs(route - home);
    const auto target = static_cast<std::int64_t>(std::clamp(enemy.miniGameArea[0], -2.0e9f, 2.0e9f));
    switch (index) {
    case 0:
        return record.hp;
    case 1:
        return record.maxHp;
    case 2:
        return std::clamp<std::int64_t>(std::int64_t{record.hp} * 100 / std::max(record.maxHp, 1), 0, 100);
    case 3:
        return route;
    case 4:
        return home;
    case 5:
        return ship;
    case 6:
        return ship - route;
    case 7:
        return std::llabs(ship - route);
    case 8:
        return enemy.values[0];
    case 9:
        return enemy.values[1];
    case 10:
        return enemy.thirdValue;
    case 11:
        if (enemy.values[0] <= enemy.thirdValue) return 100;
        return std::int64_t{enemy.thirdValue} * 100 / (enemy.values[0] != 0 ? enemy.values[0] : 1);
    case 12:
        return record.reach;
    case 13:
        return reachLeft;
    case 14:
        return std::llabs(reachLeft);
    case 15:
        return target;
    case 16:
        return target - route;
    case 17:
        return std::llabs(target - route);
    case 18:
        return enemy.IsTargetInRange() ? 1 : 0;
    default:
        return 0;
    }
}

// Slot 40: the sixteen named variables, set, changed and compared.
std::uint32_t VariableCommand(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    GAME_CScriptEnemy& script = EnemyEngine(engine);
    const GAME_CObjectEnemy* enemy = script.GetEnemy();
    if (enemy == nullptr) return 1;
    if (mode == 0) {
        script.ClearVariables();
        return 1;
    }
    const std::string_view name = ReadName(args, 0);
    if (mode == 1) {
        script.ClearVariable(name);
        return 1;
    }
    GAME_CScriptEnemy::Variable* variable = script.FindOrCreateVariable(name);
    if (variable == nullptr) return 1;
    switch (mode) {
    case 2:
        if (args.Need(kWordAfterName + 1)) variable->value = args.I32(kWordAfterName);
        break;
    case 3:
        if (args.Need(kWordAfterName + 1)) variable->value = ToWord(GetEnemyStat(*enemy, args.U32(kWordAfterName)));
        break;
    case 4:
        if (args.Need(kWordAfterName + 2)) {
            variable->value = ToWord(RandomBelowLarger(args.I32(kWordAfterName), args.I32(kWordAfterName + 1)));
        }
        break;
    case 10:
    case 11:
    case 12: {
        const std::string_view op = ReadName(args, kSecondName);
        const std::optional<std::int64_t> operand = RightSide(*enemy, mode - 10, args);
        if (!operand) break;
        variable->value = ApplyOperator32(variable->value, op, ToWord(*operand));
        break;
    }
    case 13:
        variable->value = static_cast<std::int32_t>(static_cast<std::uint32_t>(std::llabs(std::int64_t{variable->value})));
        break;
    case 100:
    case 101:
    case 102: {
        const std::string_view op = ReadName(args, kSecondName);
        const std::optional<std::int64_t> operand = RightSide(*enemy, mode - 100, args);
        if (operand) ApplyTest(engine, CompareOperatorS32(variable->value, op, ToWord(*operand)));
        break;
    }
    default:
        break;
    }
    return 1;
}

// Slot 45: a global event flag bit, or a global byte counter changed in 8 bits.
std::uint32_t GlobalCommand(SYS_CScriptEngine&, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    if (mode == 0 && args.Need(2)) {
        working_slot::SetEventFlag(args.U32(0), args.I32(1) != 0);
    } else if (mode == 1 && args.Need(kWordAfterWordAndText + 1)) {
        std::uint8_t* counter = working_slot::ByteCounter(args.U32(0));
        if (counter == nullptr) return 1;
        std::uint8_t& byte = *counter;
        const std::string_view op = ReadName(args, kTextAfterWord);
        const auto operand = static_cast<std::int8_t>(args.I32(kWordAfterWordAndText));
        byte = static_cast<std::uint8_t>(ApplyOperator8(static_cast<std::int8_t>(byte), op, operand));
    }
    return 1;
}

// Slot 65: the condition on the item's count aboard: in the rooms and on the grid.
std::uint32_t ItemTestCommand(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t)
{
    if (mode != 1 || !args.Need(kWordAfterWordAndText + 1)) return 1;
    const std::uint32_t item = args.U32(0);
    const std::int64_t count = CountStoredItem(item) + CountFieldItem(item);
    const auto clamped = static_cast<std::uint32_t>(std::clamp<std::int64_t>(count, 0, UINT32_MAX));
    ApplyTest(engine, CompareOperatorU32(clamped, ReadName(args, kTextAfterWord), args.U32(kWordAfterWordAndText)));
    return 1;
}

// Slot 66: condition AND = 1, condition OR = 0.
std::uint32_t ConditionResetCommand(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs&, std::uint16_t)
{
    vesk::utility::script::ScriptThread* thread = engine.RunningThread();
    if (mode == 0 && thread != nullptr) vesk::utility::script::ResetConditions(*thread);
    return 1;
}

}  // namespace enemy_commands
