// The room command table: the room scripts' registration of their room kind, and the room-script step period.
#pragma once

#include "framework/utility/script/script_engine.h"

// Table 1 of the room engine: 40 slots. The registration commands (slots 0
// to 5) fill the record of the room's own room id: slot 0 creates it when
// absent, slots 1 to 5 act on an existing one only. Slot 20 sets the step
// period. The commands that animate a placed room come with the ship.
vesk::utility::script::CommandTable GetRoomCommandTable();
