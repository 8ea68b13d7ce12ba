// A crew member's AI: where it walks and what it does. Until the crew AI is built it stands still.
#pragma once

#include <array>
#include <cstdint>

#include "framework/math/vector.h"

class GAME_CObjectActor;

// One per crew member, bound to it for life by the field-object manager. This holds the state the
// crew member and the manager reset; thinking finds no path, so a crew member stays where it is.
class GAME_CActorAIBase {
public:
    static constexpr std::size_t kPathSteps = 7;

    // Target cell none, the owner, no path.
    void Reset(GAME_CObjectActor* newOwner);
    // Chooses what to do next.
    void Think() {}
    bool HasPath() const { return pathLength > 0; }
    // Writes the move of this step along the path.
    void FollowPath(vesk::math::Vec2& move) { move = {}; }
    // A starving crew member on a break looks for something to eat from its cell.
    void SeekMeal(std::int32_t, std::int32_t) {}

    GAME_CObjectActor* owner = nullptr;
    std::array<std::uint16_t, 4> targetCell{0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF};
    std::int32_t thinkCountdown = 0;
    std::int32_t pathLength = 0;
    std::int32_t pathIndex = 0;
    std::array<std::array<std::int16_t, 2>, kPathSteps> pathSteps{};
    // Set by the arrival work when the crew member is to repair the hull on its cell.
    std::int32_t repairRequested = 0;
};
