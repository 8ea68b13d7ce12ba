// The walking rules of the ship grid: where a crew member can change rows, whether a cell is reachable, and what a walk costs.
#include "game/model/ship/ship_paths.h"

#include <cstdlib>

#include "game/services/data/room_records.h"
#include "game/model/ship/ship.h"

namespace ship_paths {

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
    if (x >= 0 && x < width && CanChangeRow(ship, x, row, targetRow)) return x;
    for (std::int32_t k = 1; k < width; ++k) {
        for (const std::int32_t column : {x - k, x + k}) {
            if (column >= 0 && column < width && CanChangeRow(ship, column, row, targetRow)) return column;
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
