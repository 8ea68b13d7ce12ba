// The input manager: the keyboard, the mouse and four pad slots, read once per frame for the game to query.
// Each is turned into held / released / pressed / repeat sets.
#pragma once

#include <array>
#include <cstdint>

#include "framework/input/keyboard_input.h"
#include "framework/input/pad_input.h"
#include "framework/input/pad_slots.h"
#include "framework/input/touch_point.h"

namespace vesk::input {

// Bits of the input option word.
inline constexpr uint32_t kOptionMouseDrivesTouch = 0x100;
inline constexpr uint32_t kOptionGestureMask = 0x300;
inline constexpr uint32_t kDefaultInputOptions = 0x100;

// GetButton codes of the mouse buttons, after the logical keys.
inline constexpr int kButtonMouseLeft = 112;
inline constexpr int kButtonMouseMiddle = 113;
inline constexpr int kButtonMouseRight = 114;

// Mouse button bits.
inline constexpr uint32_t kMouseLeft = 1u << 0;
inline constexpr uint32_t kMouseMiddle = 1u << 1;
inline constexpr uint32_t kMouseRight = 1u << 2;

enum class MouseButton : uint8_t { Left = 0, Middle = 1, Right = 2 };

struct MouseInput {
    uint32_t current = 0;  // kMouse* bits
    uint32_t previous = 0;
    int32_t cursorX = 0;  // client pixels
    int32_t cursorY = 0;
    int32_t canvasX = 0;  // canvas units
    int32_t canvasY = 0;
    int32_t wheelSteps = 0;  // this frame's notches, positive away from the user
    // Where the last button event happened (canvas units, not clamped) and
    // which buttons those events left down.
    int32_t buttonCanvasX = 0;
    int32_t buttonCanvasY = 0;
    std::array<bool, 3> buttonDown{};

    bool WentDown(uint32_t bit) const { return (current & bit) != 0 && (previous & bit) == 0; }
};

// What the window gathered since the last frame.
struct WindowInputs {
    bool active = true;        // pads are only read while the window has the focus
    uint32_t mouseButtons = 0;  // kMouse* bits held
    int32_t cursorX = 0;
    int32_t cursorY = 0;
    int32_t canvasX = 0;
    int32_t canvasY = 0;
    int32_t wheelSteps = 0;
    float originX = 0.0f;  // letterbox origin of the canvas
    float originY = 0.0f;
};

// Start-up: the records, then the devices. Shut-down: the reverse.
void CreateInput();
void ReleaseInput();

// Once per frame: keyboard, logical keys, mouse, then each pad slot. The first
// form takes the window's state and clears its wheel steps.
void UpdateInput();
void UpdateInput(const WindowInputs& window);

// mode 0 held, 1 released this frame, 2 pressed this frame, 3 repeat pulse, for
// logical keys 0..110; 112..114: the left, middle or right mouse button went
// down this frame. Anything else is 0.
int GetButton(int mode, int button);

// Appends every point of pad 0's gesture list whose state is stateMask or
// shares a bit with it and that nobody handled yet; returns the list's length.
int CollectHitObjects(uint32_t stateMask, TouchList& out);

// A pad was plugged in or removed: gives new pads their slots.
void OnDeviceChange();

// Entry points of the window's messages.
void OnKeyEvent(uint8_t keyCode, bool down);
void OnMouseButton(MouseButton button, int32_t canvasX, int32_t canvasY, bool down);

void SetInputOptions(uint32_t options);
uint32_t GetInputOptions();

// The game's choice of stick rule for generic controllers (see ConvertGenericPad).
void SetIndependentGenericSticks(bool independent);

// The records, or null before CreateInput.
const KeyboardInput* GetKeyboardInput();
const MouseInput* GetMouseInput();
PadInput* GetPadInput(int slot);
const PadSlot* GetPadSlot(int slot);

// The pad slot that the keyboard also drives: the first, the one the game reads.
int GetKeyboardPadIndex();

}  // namespace vesk::input
