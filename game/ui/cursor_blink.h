// The blinking cursor arrow of a list: it stands still for 8 frames, a unit aside for the next 8.
#pragma once

#include <cstdint>

#include "framework/math/vector.h"

class GAME_CUINullObject;

struct UICursorBlink {
    static constexpr std::int32_t kPeriod = 16;

    GAME_CUINullObject* arrow = nullptr;
    std::int32_t frame = 0;

    // Every frame: the arrow stands at `at` under its parent, moved `nudge` units along x in the
    // second half of the period.
    void Step(vesk::math::Vec2 at, float nudge = 1.0f);
};
