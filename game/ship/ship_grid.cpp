// The ship's grid of at most 19 by 13 cells.
#include "game/ship/ship_grid.h"

const GAME_CShipGrid::Cell* GAME_CShipGrid::GetCell(std::int64_t x, std::int64_t y) const
{
    if (x < 0 || y < 0 || x >= kMaxWidth || y >= kMaxHeight) return nullptr;
    return &cells_[static_cast<std::size_t>(y * kMaxWidth + x)];
}

GAME_CShipGrid::Cell* GAME_CShipGrid::GetCell(std::int64_t x, std::int64_t y)
{
    return const_cast<Cell*>(static_cast<const GAME_CShipGrid*>(this)->GetCell(x, y));
}
