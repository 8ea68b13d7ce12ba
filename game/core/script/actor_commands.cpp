// Handlers of the actor command table.
#include "game/core/script/actor_commands.h"

#include <array>

#include "game/core/script/script_actor.h"

namespace {

using vesk::utility::script::ScriptHandler;

constexpr std::uint32_t kActorTableSize = 40;

constexpr auto kActorHandlers = [] {
    std::array<ScriptHandler, kActorTableSize> handlers{};
    handlers[20] = SetPeriodCommand<GAME_CScriptActor>;
    return handlers;
}();

}  // namespace

vesk::utility::script::CommandTable GetActorCommandTable() { return {kActorHandlers.data(), kActorTableSize}; }
