// What the achievement checks read of the ship; the model answers.
#pragma once

#include <cstdint>

// Every floor cell of the ship holds a finished room: a room still under construction does not fill
// its cells. A ship without floor cells has none to fill, so it does not count.
bool EveryCellHoldsAFinishedRoom();
// The engine rooms on the grid that are not under construction.
std::uint32_t CountFinishedEngineRooms();
