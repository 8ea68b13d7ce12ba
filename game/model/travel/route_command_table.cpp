// The route command table and what its handlers share: argument texts, variables, tests, the gate and jumps.
#include <algorithm>
#include <array>

#include "framework/math/random.h"
#include "framework/utility/script/script_conditions.h"
#include "game/services/data/static_database.h"
#include "game/model/travel/route_commands.h"
#include "game/model/world/game_world.h"
#include "game/model/world/game_world_ready.h"
#include "platform/little_endian.h"

namespace route_commands {

GAME_CRouteManager* Manager(SYS_CScriptEngine& engine) { return RouteEngine(engine).GetManager(); }

GAME_CGameWorld* World() { return IsGameWorldReady() ? PeekGameWorld() : nullptr; }

ScriptThread& Thread(SYS_CScriptEngine& engine) { return *engine.RunningThread(); }

bool FirstFrame(SYS_CScriptEngine& engine) { return Thread(engine).framesOnCommand == 0; }

std::string_view InlineText(const ScriptArgs& args, std::size_t byteOffset, std::size_t bytes)
{
    if (!args.NeedBytes(byteOffset + bytes)) return {};
    const auto* text = reinterpret_cast<const char*>(args.Data() + byteOffset);
    std::size_t length = 0;
    while (length < bytes && text[length] != '\0') ++length;
    return {text, length};
}

std::u16string InlineWideText(const ScriptArgs& args, std::size_t byteOffset, std::size_t units)
{
    std::u16string text;
    if (!args.NeedBytes(byteOffset + units * 2)) return text;
    for (std::size_t i = 0; i < units; ++i) {
        const char16_t unit = platform::ReadU16(args.Data() + byteOffset + i * 2);
        if (unit == 0) break;
        text.push_back(unit);
    }
    return text;
}

bool VariableValue(SYS_CScriptEngine& engine, const ScriptArgs& args, std::size_t byteOffset, std::int32_t* value)
{
    const std::string_view name = InlineText(args, byteOffset);
    const RouteVariable* variable = RouteEngine(engine).FindRouteVariable(name);
    if (variable == nullptr) return false;
    *value = variable->value;
    return true;
}

void Test(SYS_CScriptEngine& engine, bool truth) { vesk::utility::script::ApplyTest(Thread(engine), truth); }

std::uint32_t Yield(SYS_CScriptEngine& engine)
{
    Thread(engine).yield = 1;
    return 0;
}

bool CanSpawn()
{
    const GAME_CGameWorld* world = PeekGameWorld();
    return world == nullptr || world->travel == nullptr || world->travel->CanSpawnOnRoute();
}

std::uint32_t RestartAt(SYS_CScriptEngine& engine, std::uint32_t index)
{
    engine.JumpToEntry(index);
    ScriptThread& thread = Thread(engine);
    thread.yield = 1;
    thread.runAgain = 1;
    return 0;
}

std::int32_t RandomBetween(std::int32_t a, std::int32_t b)
{
    const std::int64_t low = std::min(a, b);
    const std::int64_t high = std::max(a, b);
    const auto r1 = static_cast<std::int64_t>(vesk::math::Rand());
    const auto r2 = static_cast<std::int64_t>(vesk::math::Rand());
    return static_cast<std::int32_t>(low + ((r1 << 15) | r2) % (high - low + 1));
}

RouteData* RegistrationRecord(SYS_CScriptEngine& engine)
{
    GAME_CStaticDatabase* database = GetStaticDatabase();
    const GAME_CRouteManager* manager = Manager(engine);
    if (database == nullptr || manager == nullptr || manager->GetRouteId() == kNoId) return nullptr;
    return database->GetOrCreateRouteData(manager->GetRouteId());
}

std::uint32_t ResetConditions(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args, std::uint16_t operand)
{
    return ResetScriptConditions(engine, mode, args, operand);
}

}  // namespace route_commands

std::uint32_t ResetScriptConditions(vesk::utility::script::SYS_CScriptEngine& engine, std::uint8_t mode,
                                    const vesk::utility::script::ScriptArgs&, std::uint16_t)
{
    if (mode == 0) vesk::utility::script::ResetConditions(*engine.RunningThread());
    return 1;
}

namespace {

using namespace route_commands;

constexpr std::uint32_t kRouteTableSize = 61;

constexpr auto kRouteHandlers = [] {
    std::array<vesk::utility::script::ScriptHandler, kRouteTableSize> table{};
    table[0] = RegisterEnds;
    table[1] = RegisterEvent;
    table[2] = RegisterStartRoute;
    table[3] = RegisterAccumulators;
    table[4] = RegisterWeightedLabel;
    table[5] = RegisterScenery;
    table[6] = RegisterValue;
    table[10] = EventText;
    table[11] = EventChoice;
    table[12] = ShipScriptWait;
    table[13] = CrewStatus;
    table[14] = ShipDamage;
    table[15] = Notice;
    table[20] = RequestRoute;
    table[21] = HaltAndSpeed;
    table[22] = Camera;
    table[23] = InputAndOverview;
    table[25] = ChangeShip;
    table[30] = Condition;
    table[31] = ResetConditions;
    table[32] = StoryFlag;
    table[35] = Compute;
    table[36] = CompareVariable;
    table[37] = ClockCounter;
    table[40] = Spawn;
    table[41] = RandomEvents;
    table[42] = WeightedJump;
    table[43] = NewCrew;
    table[44] = TakeItems;
    table[45] = Sound;
    table[46] = Fade;
    table[47] = MoneyAndFuel;
    table[48] = Rooms;
    table[50] = Losses;
    table[55] = Ending;
    table[56] = TitleCounter;
    table[57] = RouteFlags;
    table[60] = Achievements;
    return table;
}();

}  // namespace

vesk::utility::script::CommandTable GetRouteCommandTable() { return {kRouteHandlers.data(), kRouteTableSize}; }
