// Touch points on the canvas, their states and flags, and the gestures they make.
#pragma once

#include <cstdint>
#include <vector>

namespace vesk::input {

// States of a touch point; also the masks CollectHitObjects takes.
inline constexpr uint32_t kTouchNone = 0;
inline constexpr uint32_t kTouchHeld = 1;
inline constexpr uint32_t kTouchReleased = 2;  // this frame
inline constexpr uint32_t kTouchPressed = 4;   // this frame
inline constexpr uint32_t kTouchIdle = 0x10000;

enum class Gesture : int32_t { None = 0, Tap = 1, Drag = 2, Pinch = 3 };

// Flags of a touch point.
inline constexpr uint32_t kTouchWithinTapLimits = 1u << 1;
inline constexpr uint32_t kTouchHeldFlag = 1u << 2;

// A tap lasts at most this many frames and moves at most this far (canvas units).
inline constexpr int32_t kTapMaxFrames = 15;
inline constexpr int32_t kTapMaxDistance = 5;

// One pointer on the canvas (the mouse drives pad 0's), with the gesture it makes.
struct TouchPoint {
    uint32_t state = kTouchNone;
    Gesture gesture = Gesture::None;
    uint32_t flags = 0;
    int32_t counter = 0;  // taps counted, or 1 while dragging
    int32_t id = 0;
    float pinchDistance = 0.0f;
    float pinchStartDistance = 0.0f;
    float pinchCentreX = 0.0f;
    float pinchCentreY = 0.0f;
    uint8_t handled = 0;  // set by whoever consumed the point this frame
    // Canvas units relative to the letterbox origin.
    int16_t startX = 0;
    int16_t startY = 0;
    int16_t x = 0;
    int16_t y = 0;
    int16_t moveX = 0;  // since the last frame
    int16_t moveY = 0;
    float pressure = 1.0f;
    float pressureChange = 0.0f;
    int32_t frames = 0;  // frames since the press
};

using TouchList = std::vector<TouchPoint*>;

// Gives each listed point that is in use its gesture for this frame.
void RecognizeGestures(const TouchList& points);

}  // namespace vesk::input
