// The walking rules of the ship grid: where a crew member can change rows, whether a cell is reachable, and what a walk costs.
#pragma once

#include <cstdint>

class GAME_CShip;

// These are the only rules that decide whether a step between two cells is possible. Crew path
// planning walks with them, so that a planned path and its cost always agree with the ship.
//
// Walking along a row is always possible. A row change happens in one column: going down from
// row y to y + 1 needs a floor room (a finished room on the grid whose data joins two rows) on
// the cell (c, y + 1); going up from row y to y - 1 needs a floor room on the cell (c, y) and a
// usable cell (c, y - 1).
namespace ship_paths {

// Whether the cell holds a room that crew pass through between rows.
bool HoldsFloorRoom(const GAME_CShip& ship, std::int32_t x, std::int32_t y);
// Whether a walker in column c can change from row `row` to the neighbouring row toward
// `targetRow` (one row up or down).
bool CanChangeRow(const GAME_CShip& ship, std::int32_t column, std::int32_t row, std::int32_t targetRow);
// The column in which a walker standing in column x of row `row` changes to the next row toward
// `targetRow`: the nearest passing column of the grid, the left one at equal distance; -1 when no
// column of the grid passes.
std::int32_t FindRowChange(const GAME_CShip& ship, std::int32_t x, std::int32_t row, std::int32_t targetRow);
// Both cells inside the grid, and every row change between them possible.
bool IsReachable(const GAME_CShip& ship, std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1);
// 0 for the same cell (whatever it is), -1 when unreachable, |dx| along one row, else the
// horizontal walk to each row change plus 1 per row change plus the walk to the target.
std::int32_t GetPathCost(const GAME_CShip& ship, std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1);

}  // namespace ship_paths
