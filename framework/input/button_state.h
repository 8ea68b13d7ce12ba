// Held, pressed, released and repeating sets of buttons, with the auto-repeat timing.
#pragma once

#include <array>
#include <cstdint>

namespace vesk::input {

// Frames a button is held before it starts repeating, and the frames between repeats.
inline constexpr int kRepeatDelay = 30;
inline constexpr int kRepeatInterval = 5;

// Advances one button's hold counter by a frame and tells whether the
// auto-repeat pulse fires: on the first held frame, then on frame 30 and every
// fifth frame after it.
bool StepAutoRepeat(uint8_t& counter, bool held, bool released);

// Thirty-two buttons seen as held, released this frame, pressed this frame
// and repeating, with a hold counter each.
struct ButtonSet32 {
    uint32_t held = 0;
    uint32_t released = 0;
    uint32_t pressed = 0;
    uint32_t repeat = 0;
    std::array<uint8_t, 32> holdFrames{};

    void Update(uint32_t current, uint32_t previous);
    // The set for a query mode: 0 held, 1 released, 2 pressed, 3 repeat.
    uint32_t ForMode(int mode) const;
    // Drops the one-frame edges and pulses, keeping what is held.
    void ClearEdges();
};

}  // namespace vesk::input
