// A crew member's AI: what it does next, the path it plans over the ship's grid, the steps it walks and the work it does on arrival.
#pragma once

#include <array>
#include <cstdint>

#include "framework/math/vector.h"

class GAME_CObjectActor;
class GAME_CRoomBase;
class GAME_CTaskBase;

// One per crew member, bound to it for life by the field-object manager. While no path is active
// the crew member's update lets it think; while one is, it follows the path a step at a time and,
// in the centre of its target cell, does the arrival work of its task.
class GAME_CActorAIBase {
public:
    static constexpr std::size_t kPathEntries = 28;
    static constexpr std::uint32_t kEmptyEntry = 0xFFFFFFFF;
    static constexpr std::uint16_t kNoCell = 0xFFFF;

    // Target none, no path, the owner.
    void Reset(GAME_CObjectActor* newOwner);
    // The target let go and the path dropped (a task took the crew member off its work).
    void ClearTarget();

    // Chooses what to do: the first behaviour that takes, else a random walk.
    void Think();
    bool HasPath() const { return pathActive != 0; }
    // One step along the path: the move of this step; the arrival work at the target.
    void FollowPath(vesk::math::Vec2& move);
    // A starving crew member on a break looks for a meal from the cell.
    bool SeekMeal(std::int32_t column, std::int32_t row);

    // The path from the start cell to the target cell: a row change at the nearest column that
    // joins the rows, then the target. False (no path) when the target cannot be reached.
    bool PlanPath();
    // The walking cost from the owner's cell; -1 when unreachable.
    std::int32_t GetPathCostFromActor(std::int32_t column, std::int32_t row) const;
    // The footprint cell of the room cheapest to reach from the cell, and its cost: 0 when the
    // cell lies in the room already, -1 when no cell is reachable.
    static std::int32_t FindRoomEntryCell(std::int32_t column, std::int32_t row, const GAME_CRoomBase& room,
                                          std::int32_t* outColumn, std::int32_t* outRow);

    // --- the arrival work (actor_ai_arrival.cpp)
    void ArriveAtTarget(std::int32_t column, std::int32_t row);
    bool ArriveCarryFromInventory(std::int32_t column, std::int32_t row);
    bool ArriveReload(std::int32_t column, std::int32_t row);
    bool FetchReloadItem(std::int32_t column, std::int32_t row);
    bool ArriveMealOnGrid(std::int32_t column, std::int32_t row);

    // The cell of path entry i, or kNoCell when it is empty.
    std::uint16_t PathColumn(std::size_t i) const;
    std::uint16_t PathRow(std::size_t i) const;

    GAME_CObjectActor* owner = nullptr;
    std::int32_t thinkCountdown = 0;
    std::uint16_t targetColumn = kNoCell;
    std::uint16_t targetRow = kNoCell;
    std::uint16_t startColumn = 0;
    std::uint16_t startRow = 0;
    std::array<std::uint32_t, kPathEntries> path{};
    std::int32_t pathIndex = 0;
    std::int32_t pathActive = 0;
    // Set by the arrival work when the crew member is to repair the hull on its cell.
    std::int32_t repairRequested = 0;

private:
    // --- the behaviours Think tries in turn
    bool DeliverCarriedItem();
    bool GoToTask();
    bool TryEat();
    bool TakeBreak();
    bool RepairHull();
    bool StayNearRoom();
    bool IdleTurn();

    // A meal from the cell: a table with food, else the better of a stocked room and a food item
    // lying on the grid. `seek` is the break's own search.
    bool FindMeal(std::int32_t column, std::int32_t row, bool seek);
    // Starts a walk from the owner's cell; false when there is no path.
    bool WalkTo(std::int32_t column, std::int32_t row);
    // Walks to the entry cell of the room; false when none can be reached.
    bool WalkToRoom(const GAME_CRoomBase& room);
    // Walks to the task's room; a room that is gone ends the task, one that cannot be reached
    // drops the crew member from it.
    bool WalkToTaskRoom(GAME_CTaskBase& task);
    // Leaves the current task (its room, its crew list) and takes the new one.
    void MoveOntoTask(GAME_CTaskBase* task);
    // The task drops the owner, whose task becomes none.
    void DropTask();
    // Lets go of the carried item: on a free cell near the owner; with `remove` it is used up.
    void DropCarriedItem(bool remove);
    // Stores the carried item in the room standing on the cell; true when the arrival ends.
    bool StoreCarriedItem(std::int32_t column, std::int32_t row);
};
