// The ship's floor: a grid of at most 19 by 13 cells, each with its room number, floor sprite and animation.
#pragma once

#include <array>
#include <cstdint>

// Cells are stored row-major over the whole 19 x 13 array; the current ship uses the top-left
// width x height of it. A cell outside the array has no record.
class GAME_CShipGrid {
public:
    static constexpr int kMaxWidth = 19;
    static constexpr int kMaxHeight = 13;
    static constexpr int kCellCount = kMaxWidth * kMaxHeight;  // 247, as many as the room pool
    // Any room number of kCellCount or more means no room.
    static constexpr std::uint32_t kNoRoom = 0xFFFFFFFF;
    static constexpr float kDefaultCellSize = 24.0f;

    struct Cell {
        std::uint32_t room = kNoRoom;
        std::int32_t sprite = -1;  // the current floor sprite, an index in sprite group 2
        std::uint16_t usable = 1;  // part of the ship's floor
        std::uint16_t counter = 0;  // frames of the running animation routine

        bool HoldsRoom() const { return room < static_cast<std::uint32_t>(kCellCount); }
    };

    // Every cell empty and usable; the floor sprites and the cell size from "dot_basegrid" (24 by 24
    // when the sprite is missing or empty).
    GAME_CShipGrid();

    // The cell at column x, row y of the 19 x 13 array; null outside it.
    Cell* GetCell(std::int64_t x, std::int64_t y);
    const Cell* GetCell(std::int64_t x, std::int64_t y) const;
    // Inside the current ship's width and height.
    bool IsInside(std::int64_t x, std::int64_t y) const { return x >= 0 && y >= 0 && x < width && y < height; }

    // Every cell anew: no room, the plain floor sprite, usable, a freshly drawn animation.
    void ResetCells();
    // Every floor animation drawn anew and started from its first frame; rooms and usable cells stay.
    void RestartFloorAnimation();
    // One simulation step of the floor animation of every usable cell without a room.
    void Animate();

    std::int32_t FloorSprite() const { return floorSprite_; }
    std::int32_t LitFloorSprite() const { return litFloorSprite_; }

    std::int32_t width = kMaxWidth;
    std::int32_t height = kMaxHeight;
    float cellWidth = kDefaultCellSize;
    float cellHeight = kDefaultCellSize;

private:
    // True when the routine has run its course and a new one is due.
    bool RunRoutine(Cell& cell, std::uint8_t routine) const;

    std::array<Cell, kCellCount> cells_{};
    std::array<std::uint8_t, kCellCount> routines_{};
    std::int32_t floorSprite_ = -1;
    std::int32_t litFloorSprite_ = -1;
};

// The routine a cell's floor animation runs next, drawn by weight: plain floor (1000), lit floor
// (350), blinking (20).
std::uint8_t DrawFloorRoutine();
