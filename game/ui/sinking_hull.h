// One frame of a hull sinking into the sand, as the game over, the ship change and the new game's start show it, and the sand pillars around it.
#pragma once

#include <cstdint>
#include <functional>

class GAME_CGameWorld;
class GAME_CShipBodyRender;
class GAME_CStaticDatabase;

// The frames at the start of the sinking that rumble and throw up sand.
inline constexpr std::int32_t kSinkBurstFrames = 120;

// Advances the hull's sinking animation by a frame; a hull that is not sinking keeps still.
void AdvanceHullSink(GAME_CShipBodyRender* body);

// Runs the hull's sinking animation on (stilling its shake once it no longer sinks), counts the frame
// and, within the burst frames, rumbles every 12 frames and asks for a burst of sand every 4.
void StepSinkingHull(GAME_CShipBodyRender* body, std::int32_t& frame, const std::function<void()>& burst);

// Raises up to `count` sand pillars on the route around the ship, spread over the span of the ship's
// two offsets; stops early when the pool has none left. Returns how many rose (none without a route).
int RaiseSandPillars(GAME_CGameWorld& world, const GAME_CStaticDatabase* database, int count);
