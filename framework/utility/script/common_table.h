// The common command table that every script engine installs as table 0.
#pragma once

#include "framework/utility/script/script_engine.h"

namespace vesk::utility::script {

inline constexpr std::uint32_t kCommonTableSize = 100;

// The common command table every engine installs as table 0: flow control,
// waits, input tests, target animation, sound, effects and the random seed.
CommandTable GetCommonCommandTable();

}  // namespace vesk::utility::script
