// The enemy command table: the enemy scripts' registration of their enemy kind, and the script's step period.
#pragma once

#include "framework/utility/script/script_engine.h"

// Table 1 of the enemy engine: 81 slots. The registration commands (slots 0
// and 1) fill the record of the driven enemy's id, created when absent. Slot
// 11 sets the step period. The commands that drive a live enemy come with
// the enemies.
vesk::utility::script::CommandTable GetEnemyCommandTable();
