// Two-dimensional tweens that ease a point from one place to another over frames.
#pragma once

#include <cstdint>

struct TweenPoint {
    float x = 0.0f;
    float y = 0.0f;
};

struct Tween {
    TweenPoint from;
    TweenPoint to;
    std::int32_t duration = 0;  // frames
    std::uint32_t delay = 0;    // frames before it moves
    std::uint32_t frame = 0;
};

// from = to = (x, y), counter 0.
void InitTween(Tween& tween, float x, float y, std::int32_t duration, std::uint32_t delay);
// Starts again from the point; a point already at the end finishes the tween at once.
void RestartTweenFrom(Tween& tween, TweenPoint point);
// One frame; out takes the eased point (1 - (1 - t)^2).
void UpdateTweenEaseOut(Tween& tween, TweenPoint& out);
// The same with t^2 (3 - 2t).
void UpdateTweenSmooth(Tween& tween, TweenPoint& out);
// 0 before the first frame after the delay, 1 at the end (and when the duration is below 1).
float GetTweenProgress(const Tween& tween);
bool IsTweenFinished(const Tween& tween);

// (r1 << 30) | (r2 << 15) | ((r3 >> 2) & 3) of three draws.
std::uint64_t Rand64();
