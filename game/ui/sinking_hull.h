// One frame of a hull sinking into the sand, as the game over and the new game's start show it.
#pragma once

#include <cstdint>
#include <functional>

class GAME_CShipBodyRender;

// The frames at the start of the sinking that rumble and throw up sand.
inline constexpr std::int32_t kSinkBurstFrames = 120;

// Runs the hull's sinking animation on (stilling its shake once it no longer sinks), counts the frame
// and, within the burst frames, rumbles every 12 frames and asks for a burst of sand every 4.
void StepSinkingHull(GAME_CShipBodyRender* body, std::int32_t& frame, const std::function<void()>& burst);
