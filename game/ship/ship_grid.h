// The ship's grid of at most 19 by 13 cells.
#pragma once

#include <array>
#include <cstdint>

class GAME_CShipGrid {
public:
    static constexpr int kMaxWidth = 19;
    static constexpr int kMaxHeight = 13;
    static constexpr int kNoRoom = 247;

    struct Cell {
        std::int32_t room = kNoRoom;
        std::int32_t floorSprite = -1;
        std::uint8_t usable = 0;  // the cell flag: a floor cell of the current ship
        std::int32_t animation = 0;
    };

    // The cell at column x, row y; null outside the 19 x 13 grid.
    const Cell* GetCell(std::int64_t x, std::int64_t y) const;
    Cell* GetCell(std::int64_t x, std::int64_t y);

    std::int32_t width = kMaxWidth;
    std::int32_t height = kMaxHeight;
    float cellPixels = 24.0f;

private:
    std::array<Cell, kMaxWidth * kMaxHeight> cells_{};
};
