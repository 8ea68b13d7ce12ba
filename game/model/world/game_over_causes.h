// The causes the game hands to the game-over screen, as the screen manager takes them.
#pragma once

#include <cstdint>

// The screen manager stores them as the game-over screen numbers them: 0 ship destroyed,
// 2 stalled, 1 crew gone.
inline constexpr std::uint32_t kGameOverCauseHull = 0;
inline constexpr std::uint32_t kGameOverCauseStalled = 1;
inline constexpr std::uint32_t kGameOverCauseCrew = 2;
