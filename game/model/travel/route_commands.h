// What the route command handlers share: the engine's owners, argument texts, the spawn gate and the handlers.
#pragma once

#include <cstdint>
#include <string_view>

#include "framework/utility/script/script_args.h"
#include "framework/utility/script/script_engine.h"
#include "game/model/travel/route_manager.h"
#include "game/model/travel/script_route.h"

class GAME_CGameWorld;
struct RouteData;

namespace route_commands {

using vesk::utility::script::ScriptArgs;
using vesk::utility::script::ScriptThread;
using vesk::utility::script::SYS_CScriptEngine;

// A handler's signature: (engine, mode byte, argument data, u16 operand) -> 1 moves on, 0 stays.
using Handler = std::uint32_t (*)(SYS_CScriptEngine&, std::uint8_t, const ScriptArgs&, std::uint16_t);

inline constexpr std::size_t kNameBytes = 32;     // a variable name or an operator text, inline
inline constexpr std::size_t kKeyBytes = 64;      // a message key, inline
inline constexpr std::size_t kLabelUnits = 32;    // a label name of UTF-16 units, inline

inline GAME_CScriptRoute& RouteEngine(SYS_CScriptEngine& engine) { return static_cast<GAME_CScriptRoute&>(engine); }
// The route the engine runs for; null for an engine without a manager.
GAME_CRouteManager* Manager(SYS_CScriptEngine& engine);
// The world while it exists and is ready; null otherwise.
GAME_CGameWorld* World();
ScriptThread& Thread(SYS_CScriptEngine& engine);
// The command's first frame on the thread: what a waiting command starts, it starts here once.
bool FirstFrame(SYS_CScriptEngine& engine);

// A text stored inline in `bytes` bytes from byteOffset: up to its first zero within them. Empty
// (and the command faulty) when the argument data is shorter.
std::string_view InlineText(const ScriptArgs& args, std::size_t byteOffset, std::size_t bytes = kNameBytes);
// A wide text of `units` UTF-16 units from byteOffset, up to its first zero.
std::u16string InlineWideText(const ScriptArgs& args, std::size_t byteOffset, std::size_t units = kLabelUnits);
// The value of the route variable named at byteOffset; false when it is absent.
bool VariableValue(SYS_CScriptEngine& engine, const ScriptArgs& args, std::size_t byteOffset, std::int32_t* value);
// Folds a test into the running thread's condition words.
void Test(SYS_CScriptEngine& engine, bool truth);
// Stays on the command this frame.
std::uint32_t Yield(SYS_CScriptEngine& engine);
// The spawn gate of the travel controller.
bool CanSpawn();
// Restarts the script at the command and runs it on in the same frame.
std::uint32_t RestartAt(SYS_CScriptEngine& engine, std::uint32_t index);
// lo + ((r1 << 15) | r2) mod (hi - lo + 1), lo and hi the smaller and larger bound; the range
// counted in 64 bits so that it never wraps.
std::int32_t RandomBetween(std::int32_t a, std::int32_t b);
// The route record of the route whose registration runs (created on first use).
RouteData* RegistrationRecord(SYS_CScriptEngine& engine);

// --- the handlers, by the slot of the route table they fill
std::uint32_t RegisterEnds(SYS_CScriptEngine&, std::uint8_t, const ScriptArgs&, std::uint16_t);          // 0
std::uint32_t RegisterEvent(SYS_CScriptEngine&, std::uint8_t, const ScriptArgs&, std::uint16_t);         // 1
std::uint32_t RegisterStartRoute(SYS_CScriptEngine&, std::uint8_t, const ScriptArgs&, std::uint16_t);    // 2
std::uint32_t RegisterAccumulators(SYS_CScriptEngine&, std::uint8_t, const ScriptArgs&, std::uint16_t);  // 3
std::uint32_t RegisterWeightedLabel(SYS_CScriptEngine&, std::uint8_t, const ScriptArgs&, std::uint16_t); // 4
std::uint32_t RegisterScenery(SYS_CScriptEngine&, std::uint8_t, const ScriptArgs&, std::uint16_t);       // 5
std::uint32_t RegisterValue(SYS_CScriptEngine&, std::uint8_t, const ScriptArgs&, std::uint16_t);         // 6
std::uint32_t EventText(SYS_CScriptEngine&, std::uint8_t, const ScriptArgs&, std::uint16_t);             // 10
std::uint32_t EventChoice(SYS_CScriptEngine&, std::uint8_t, const ScriptArgs&, std::uint16_t);           // 11
std::uint32_t ShipScriptWait(SYS_CScriptEngine&, std::uint8_t, const ScriptArgs&, std::uint16_t);        // 12
std::uint32_t CrewStatus(SYS_CScriptEngine&, std::uint8_t, const ScriptArgs&, std::uint16_t);            // 13
std::uint32_t ShipDamage(SYS_CScriptEngine&, std::uint8_t, const ScriptArgs&, std::uint16_t);            // 14
std::uint32_t Notice(SYS_CScriptEngine&, std::uint8_t, const ScriptArgs&, std::uint16_t);                // 15
std::uint32_t RequestRoute(SYS_CScriptEngine&, std::uint8_t, const ScriptArgs&, std::uint16_t);          // 20
std::uint32_t HaltAndSpeed(SYS_CScriptEngine&, std::uint8_t, const ScriptArgs&, std::uint16_t);          // 21
std::uint32_t Camera(SYS_CScriptEngine&, std::uint8_t, const ScriptArgs&, std::uint16_t);                // 22
std::uint32_t InputAndOverview(SYS_CScriptEngine&, std::uint8_t, const ScriptArgs&, std::uint16_t);      // 23
std::uint32_t ChangeShip(SYS_CScriptEngine&, std::uint8_t, const ScriptArgs&, std::uint16_t);            // 25
std::uint32_t Condition(SYS_CScriptEngine&, std::uint8_t, const ScriptArgs&, std::uint16_t);             // 30
std::uint32_t ResetConditions(SYS_CScriptEngine&, std::uint8_t, const ScriptArgs&, std::uint16_t);       // 31
std::uint32_t StoryFlag(SYS_CScriptEngine&, std::uint8_t, const ScriptArgs&, std::uint16_t);             // 32
std::uint32_t Compute(SYS_CScriptEngine&, std::uint8_t, const ScriptArgs&, std::uint16_t);               // 35
std::uint32_t CompareVariable(SYS_CScriptEngine&, std::uint8_t, const ScriptArgs&, std::uint16_t);       // 36
std::uint32_t ClockCounter(SYS_CScriptEngine&, std::uint8_t, const ScriptArgs&, std::uint16_t);          // 37
std::uint32_t Spawn(SYS_CScriptEngine&, std::uint8_t, const ScriptArgs&, std::uint16_t);                 // 40
std::uint32_t RandomEvents(SYS_CScriptEngine&, std::uint8_t, const ScriptArgs&, std::uint16_t);          // 41
std::uint32_t WeightedJump(SYS_CScriptEngine&, std::uint8_t, const ScriptArgs&, std::uint16_t);          // 42
std::uint32_t NewCrew(SYS_CScriptEngine&, std::uint8_t, const ScriptArgs&, std::uint16_t);               // 43
std::uint32_t TakeItems(SYS_CScriptEngine&, std::uint8_t, const ScriptArgs&, std::uint16_t);             // 44
std::uint32_t Sound(SYS_CScriptEngine&, std::uint8_t, const ScriptArgs&, std::uint16_t);                 // 45
std::uint32_t Fade(SYS_CScriptEngine&, std::uint8_t, const ScriptArgs&, std::uint16_t);                  // 46
std::uint32_t MoneyAndFuel(SYS_CScriptEngine&, std::uint8_t, const ScriptArgs&, std::uint16_t);          // 47
std::uint32_t Rooms(SYS_CScriptEngine&, std::uint8_t, const ScriptArgs&, std::uint16_t);                 // 48
std::uint32_t Losses(SYS_CScriptEngine&, std::uint8_t, const ScriptArgs&, std::uint16_t);                // 50
std::uint32_t Ending(SYS_CScriptEngine&, std::uint8_t, const ScriptArgs&, std::uint16_t);                // 55
std::uint32_t TitleCounter(SYS_CScriptEngine&, std::uint8_t, const ScriptArgs&, std::uint16_t);          // 56
std::uint32_t RouteFlags(SYS_CScriptEngine&, std::uint8_t, const ScriptArgs&, std::uint16_t);            // 57
std::uint32_t Achievements(SYS_CScriptEngine&, std::uint8_t, const ScriptArgs&, std::uint16_t);          // 60

// The particle-effect modes of the spawn command (100 to 131).
std::uint32_t SpawnEffect(SYS_CScriptEngine& engine, std::uint8_t mode, const ScriptArgs& args);

}  // namespace route_commands

// The handler of condition-word reset that the enemy table shares.
std::uint32_t ResetScriptConditions(vesk::utility::script::SYS_CScriptEngine& engine, std::uint8_t mode,
                                    const vesk::utility::script::ScriptArgs& args, std::uint16_t operand);
