// The walking rules of the ship grid: where a crew member can change rows, whether a cell is reachable, and what a walk costs.
#include "game/model/ship/ship_paths.h"

#include <algorithm>
#include <cstdlib>

#include "game/services/data/room_records.h"
#include "game/model/ship/ship.h"

namespace ship_paths {
namespace {

std::uint64_t layoutGeneration = 1;
int changesUnderWay = 0;

// The columns of the grid where CanChangeRow holds, as bits.
std::uint32_t FindPassingColumns(const GAME_CShip& ship, std::int32_t row, std::int32_t targetRow)
{
    std::uint32_t columns = 0;
    const std::int32_t width = std::min(ship.grid.width, GAME_CShipGrid::kMaxWidth);
    for (std::int32_t column = 0; column < width; ++column) {
        if (CanChangeRow(ship, column, row, targetRow)) columns |= 1u << column;
    }
    return columns;
}

std::uint32_t PassingColumns(const GAME_CShip& ship, std::int32_t row, std::int32_t targetRow)
{
    const GAME_CShipGrid& grid = ship.grid;
    if (changesUnderWay > 0 || row < 0 || row >= GAME_CShipGrid::kMaxHeight) {
        return FindPassingColumns(ship, row, targetRow);
    }
    RowChangeCache& cache = ship.rowChanges;
    if (cache.generation != layoutGeneration || cache.width != grid.width || cache.height != grid.height ||
        cache.roomCount != ship.rooms.size()) {
        cache = RowChangeCache{};
        cache.generation = layoutGeneration;
        cache.width = grid.width;
        cache.height = grid.height;
        cache.roomCount = ship.rooms.size();
    }
    const bool down = targetRow > row;
    std::uint32_t& known = down ? cache.rowsDown : cache.rowsUp;
    std::uint32_t& columns = (down ? cache.columnsDown : cache.columnsUp)[static_cast<std::size_t>(row)];
    if ((known & (1u << row)) == 0) {
        columns = FindPassingColumns(ship, row, targetRow);
        known |= 1u << row;
    }
    return columns;
}

}  // namespace

void NoteLayoutChanged() { ++layoutGeneration; }

LayoutChange::LayoutChange()
{
    ++changesUnderWay;
    NoteLayoutChanged();
}

LayoutChange::~LayoutChange()
{
    --changesUnderWay;
    NoteLayoutChanged();
}

bool HoldsFloorRoom(const GAME_CShip& ship, std::int32_t x, std::int32_t y)
{
    const GAME_CRoomBase* room = ship.GetRoomAtCell(x, y);
    return room != nullptr && !room->underConstruction && ship.grid.IsInside(room->gridX, room->gridY) &&
           room->roomData != nullptr && (room->roomData->flags & kRoomJoinsRows) != 0;
}

bool CanChangeRow(const GAME_CShip& ship, std::int32_t column, std::int32_t row, std::int32_t targetRow)
{
    if (targetRow > row) return HoldsFloorRoom(ship, column, row + 1);
    if (row < 1) return false;
    const GAME_CShipGrid::Cell* above = ship.grid.GetCell(column, row - 1);
    return HoldsFloorRoom(ship, column, row) && above != nullptr && above->usable != 0;
}

std::int32_t FindRowChange(const GAME_CShip& ship, std::int32_t x, std::int32_t row, std::int32_t targetRow)
{
    const std::int32_t width = ship.grid.width;
    const std::uint32_t passing = PassingColumns(ship, row, targetRow);
    // Past the grid's array no cell holds a room, so no column there passes.
    const auto passes = [&](std::int32_t column) {
        return column >= 0 && column < width && column < GAME_CShipGrid::kMaxWidth && (passing >> column & 1u) != 0;
    };
    if (passes(x)) return x;
    if (passing == 0) return -1;
    for (std::int32_t k = 1; k < width; ++k) {
        for (const std::int32_t column : {x - k, x + k}) {
            if (passes(column)) return column;
        }
    }
    return -1;
}

bool IsReachable(const GAME_CShip& ship, std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1)
{
    if (!ship.grid.IsInside(x0, y0) || !ship.grid.IsInside(x1, y1)) return false;
    const std::int32_t step = y1 > y0 ? 1 : -1;
    for (std::int32_t y = y0; y != y1; y += step) {
        if (FindRowChange(ship, 0, y, y1) < 0) return false;
    }
    return true;
}

std::int32_t GetPathCost(const GAME_CShip& ship, std::int32_t x0, std::int32_t y0, std::int32_t x1, std::int32_t y1)
{
    if (x0 == x1 && y0 == y1) return 0;
    if (!ship.grid.IsInside(x0, y0) || !ship.grid.IsInside(x1, y1)) return -1;
    // One walk from row to row: a row with no column joining it to the next one makes the
    // target unreachable, as IsReachable finds.
    std::int32_t cost = 0;
    std::int32_t x = x0;
    const std::int32_t step = y1 > y0 ? 1 : -1;
    for (std::int32_t y = y0; y != y1; y += step) {
        const std::int32_t column = FindRowChange(ship, x, y, y1);
        if (column < 0) return -1;
        cost += 1 + std::abs(x - column);
        x = column;
    }
    return cost + std::abs(x - x1);
}

}  // namespace ship_paths
