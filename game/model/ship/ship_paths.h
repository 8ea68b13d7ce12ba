// The walking rules of the ship grid: where a crew member can change rows, whether a cell is reachable, and what a walk costs.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "game/model/ship/ship_grid.h"

class GAME_CShip;

// These are the only rules that decide whether a step between two cells is possible. Crew path
// planning walks with them, so that a planned path and its cost always agree with the ship.
//
// Walking along a row is always possible. A row change happens in one column: going down from
// row y to y + 1 needs a floor room (a finished room on the grid whose data joins two rows) on
// the cell (c, y + 1); going up from row y to y - 1 needs a floor room on the cell (c, y) and a
// usable cell (c, y - 1).
namespace ship_paths {

// The columns of each row where a walker changes to the row below and to the row above, found
// once a row is asked for and kept by the ship until its layout changes.
struct RowChangeCache {
    std::uint64_t generation = 0;  // the layout these answers belong to; 0: none yet
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::size_t roomCount = 0;
    std::uint32_t rowsDown = 0;  // a bit for each row whose columns down are known
    std::uint32_t rowsUp = 0;
    std::array<std::uint32_t, GAME_CShipGrid::kMaxHeight> columnsDown{};  // a bit for each passing column
    std::array<std::uint32_t, GAME_CShipGrid::kMaxHeight> columnsUp{};
};

// Every change to what the rules below read (a cell's room or floor, a room's place, building
// state or data, the grid's size) must be noted, or the kept answers would outlive it.
void NoteLayoutChanged();

// Held over a change made in several steps (a room placed, removed, the whole ship replaced):
// the kept answers are dropped as it starts and as it ends and are not used in between, since
// the walking rules may be asked of the half-changed ship.
class LayoutChange {
public:
    LayoutChange();
    ~LayoutChange();
    LayoutChange(const LayoutChange&) = delete;
    LayoutChange& operator=(const LayoutChange&) = delete;
};

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
