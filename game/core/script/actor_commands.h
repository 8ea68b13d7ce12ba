// The actor command table of the crew members' scripts.
#pragma once

#include "framework/utility/script/script_engine.h"

// Table 1 of the actor engine: 40 slots. Slot 20 sets the step period; the
// commands that draw and move a crew member come with the crew.
vesk::utility::script::CommandTable GetActorCommandTable();
