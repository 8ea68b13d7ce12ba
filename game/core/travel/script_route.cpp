// The route script engine and its command table.
#include "game/core/travel/script_route.h"

namespace {
constexpr std::uint32_t kRouteTableSize = 61;
constexpr vesk::utility::script::ScriptHandler kRouteHandlers[kRouteTableSize] = {};
}  // namespace

vesk::utility::script::CommandTable GetRouteCommandTable() { return {kRouteHandlers, kRouteTableSize}; }

GAME_CScriptRoute::GAME_CScriptRoute(GAME_CRouteManager* manager)
    : GAME_CScriptObjectEngine(GetRouteCommandTable()), manager_(manager)
{
}
