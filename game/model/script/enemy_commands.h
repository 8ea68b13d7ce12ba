// The enemy command table: the enemy scripts' registration of their enemy kind and the commands that drive a live enemy.
#pragma once

#include "framework/utility/script/script_engine.h"

// Table 1 of the enemy engine: 81 slots, 22 of them set. The registration
// commands (slots 0 and 1) fill the record of the driven enemy's id, created
// when absent; the others drive a live enemy: its sprite and part tree, its
// movement, attacks, drops, effects, sounds, script variables and conditions,
// and what it does to the crew, the items and the game's progress. Script
// data is not trusted: names and labels are read within their argument,
// indices outside their tables touch nothing.
vesk::utility::script::CommandTable GetEnemyCommandTable();
