// The blinking cursor arrow of a list: it stands still for 8 frames, a unit aside for the next 8.
#pragma once

#include <cstdint>

#include "framework/math/vector.h"

class GAME_CUINullObject;

struct UICursorBlink {
    static constexpr std::int32_t kPeriod = 16;

    GAME_CUINullObject* arrow = nullptr;
    std::int32_t frame = 0;

    // The blink from its start: the arrow at rest for the next 8 frames.
    void Restart() { frame = 0; }
    // Counts a frame of the blink.
    void Tick() { frame = (frame + 1) % kPeriod; }
    // How far the blink moves the arrow now: 1 in the second half of the period, else 0.
    float Bob() const { return frame >= kPeriod / 2 ? 1.0f : 0.0f; }
    // The arrow at `at` under its parent, moved `nudge` units along x by the blink.
    void Place(vesk::math::Vec2 at, float nudge = 1.0f) const;
    // Every frame: a tick, then the arrow placed.
    void Step(vesk::math::Vec2 at, float nudge = 1.0f)
    {
        Tick();
        Place(at, nudge);
    }
};
