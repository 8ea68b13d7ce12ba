// The window procedure, the input state it records and the hooks the input manager sets.
#pragma once

#include <cstdint>

#include "platform/window.h"

namespace vesk::window {

// Mouse-button capture bits.
inline constexpr uint32_t kCaptureLeft = 1u << 0;
inline constexpr uint32_t kCaptureMiddle = 1u << 1;
inline constexpr uint32_t kCaptureRight = 1u << 2;

// What the window procedure records for the rest of the framework; main thread only.
struct WindowInputState {
    bool active = false;            // the window has the focus
    int32_t rawCursorX = 0;         // client pixels, kept inside the client area
    int32_t rawCursorY = 0;
    int32_t canvasCursorX = 0;      // the same point in canvas units
    int32_t canvasCursorY = 0;
    uint32_t captureBits = 0;       // buttons held since their press (kCapture*)
    uint32_t pressedBits = 0;       // buttons pressed since the input manager last read; it clears them
    int32_t wheelSteps = 0;         // notches of the last wheel message; the input manager clears it
};

WindowInputState& GetWindowInputState();

// Puts the pointer on a canvas point (relative to the letterbox origin): the system cursor goes
// there and the state above holds it from now on.
void MovePointerTo(int32_t canvasX, int32_t canvasY);

// The input manager registers these to receive what the state above does not keep.
struct InputHooks {
    // A button went down or up at a client position (not clamped).
    void (*mouseButton)(platform::MouseButton button, int32_t clientX, int32_t clientY, bool down) = nullptr;
    // A game pad was plugged in or removed: re-scan the pads.
    void (*deviceChange)() = nullptr;
    // A key went down or up; keyCode as in platform::WindowEvent.
    void (*key)(uint16_t keyCode, bool down) = nullptr;
};

void SetInputHooks(const InputHooks& hooks);

// Handles one message of the window.
void WindowProc(const platform::WindowEvent& event);

}  // namespace vesk::window
