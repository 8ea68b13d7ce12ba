// The ship's floor: a grid of at most 19 by 13 cells, each with its room number, floor sprite and animation.
#include "game/model/ship/ship_grid.h"

#include "framework/graphics/sprite_registry.h"
#include "framework/math/random.h"
#include "game/model/ship/ship_paths.h"

namespace {

constexpr int kSpriteGroup = 2;
constexpr std::uint8_t kRoutinePlain = 0;
constexpr std::uint8_t kRoutineLit = 1;
constexpr int kRoutineWeights[] = {1000, 350, 20};
constexpr int kRoutineWeightTotal = 1370;
constexpr std::uint16_t kBlinkLength = 600;

// Frame ranges of the blink routine that show the lit floor: [from, to).
constexpr std::uint16_t kBlinkLit[][2] = {{0, 5},     {10, 20},   {30, 45},   {60, 80},  {100, 125},
                                          {150, 180}, {210, 245}, {280, 320}, {360, 480}};

bool IsBlinkLit(std::uint16_t counter)
{
    for (const auto& range : kBlinkLit) {
        if (counter >= range[0] && counter < range[1]) return true;
    }
    return false;
}

}  // namespace

std::uint8_t DrawFloorRoutine()
{
    const unsigned first = static_cast<unsigned>(vesk::math::Rand());
    const unsigned second = static_cast<unsigned>(vesk::math::Rand());
    int value = static_cast<int>(((first * 4096u) | (second >> 3)) % kRoutineWeightTotal);
    for (std::uint8_t routine = 0; routine < 3; ++routine) {
        if (value < kRoutineWeights[routine]) return routine;
        value -= kRoutineWeights[routine];
    }
    return kRoutinePlain;
}

GAME_CShipGrid::GAME_CShipGrid()
{
    floorSprite_ = vesk::resource::FindSpriteIndex(kSpriteGroup, "dot_basegrid");
    litFloorSprite_ = vesk::resource::FindSpriteIndex(kSpriteGroup, "dot_basegrid2");
    if (const vesk::resource::SYS_CTexture* sprite = vesk::resource::GetSpriteAt(kSpriteGroup, floorSprite_)) {
        if (sprite->GetWidth() > 0 && sprite->GetHeight() > 0) {
            cellWidth = static_cast<float>(sprite->GetWidth());
            cellHeight = static_cast<float>(sprite->GetHeight());
        }
    }
    ResetCells();
}

GAME_CShipGrid::Cell* GAME_CShipGrid::GetCell(std::int64_t x, std::int64_t y)
{
    if (x < 0 || y < 0 || x >= kMaxWidth || y >= kMaxHeight) return nullptr;
    return &cells_[static_cast<std::size_t>(y * kMaxWidth + x)];
}

const GAME_CShipGrid::Cell* GAME_CShipGrid::GetCell(std::int64_t x, std::int64_t y) const
{
    return const_cast<GAME_CShipGrid*>(this)->GetCell(x, y);
}

void GAME_CShipGrid::ResetCells()
{
    for (Cell& cell : cells_) cell = Cell{kNoRoom, floorSprite_, 1, 0};
    ship_paths::NoteLayoutChanged();
    RestartFloorAnimation();
}

void GAME_CShipGrid::RestartFloorAnimation()
{
    for (std::size_t i = 0; i < cells_.size(); ++i) {
        cells_[i].counter = 0;
        if (!cells_[i].HoldsRoom()) cells_[i].sprite = floorSprite_;
        routines_[i] = DrawFloorRoutine();
    }
}

bool GAME_CShipGrid::RunRoutine(Cell& cell, std::uint8_t routine) const
{
    ++cell.counter;
    switch (routine) {
    case kRoutinePlain:
        cell.sprite = floorSprite_;
        return cell.counter > 1800 + (vesk::math::Rand() & 255);
    case kRoutineLit:
        cell.sprite = litFloorSprite_;
        return cell.counter > 300 + (vesk::math::Rand() & 63);
    default:  // blinking
        cell.sprite = IsBlinkLit(cell.counter) ? litFloorSprite_ : floorSprite_;
        return cell.counter >= kBlinkLength;
    }
}

void GAME_CShipGrid::Animate()
{
    for (std::size_t i = 0; i < cells_.size(); ++i) {
        Cell& cell = cells_[i];
        if (cell.usable == 0 || cell.HoldsRoom()) continue;
        if (RunRoutine(cell, routines_[i])) {
            cell.counter = 0;
            routines_[i] = DrawFloorRoutine();
        }
    }
}
