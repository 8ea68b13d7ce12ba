// A pad as the game sees it: the pad bits, the axes, and the conversion of each kind of pad's reading.
#pragma once

#include <cstdint>

#include "framework/input/button_state.h"
#include "framework/input/touch_point.h"
#include "platform/input/pad_device.h"

namespace vesk::input {

// Pad bits, the same for every kind of pad.
namespace pad_bit {
inline constexpr uint32_t Start = 0x1;
inline constexpr uint32_t Select = 0x2;
inline constexpr uint32_t Up = 0x10;
inline constexpr uint32_t Down = 0x20;
inline constexpr uint32_t Left = 0x40;
inline constexpr uint32_t Right = 0x80;
inline constexpr uint32_t Button1 = 0x100;
inline constexpr uint32_t Button2 = 0x200;
inline constexpr uint32_t Button3 = 0x400;
inline constexpr uint32_t Button4 = 0x800;
inline constexpr uint32_t ShoulderLeft = 0x10000;
inline constexpr uint32_t ShoulderRight = 0x20000;
inline constexpr uint32_t TriggerLeft = 0x40000;
inline constexpr uint32_t TriggerRight = 0x80000;
inline constexpr uint32_t ThumbLeft = 0x100000;
inline constexpr uint32_t ThumbRight = 0x200000;
inline constexpr uint32_t LeftStickUp = 0x1000000;
inline constexpr uint32_t LeftStickDown = 0x2000000;
inline constexpr uint32_t LeftStickLeft = 0x4000000;
inline constexpr uint32_t LeftStickRight = 0x8000000;
inline constexpr uint32_t RightStickUp = 0x10000000;
inline constexpr uint32_t RightStickDown = 0x20000000;
inline constexpr uint32_t RightStickLeft = 0x40000000;
inline constexpr uint32_t RightStickRight = 0x80000000;
}  // namespace pad_bit

// Sticks -1..1 with y positive downward, triggers 0..1.
struct PadAxes {
    float leftTrigger = 0.0f;
    float rightTrigger = 0.0f;
    float leftX = 0.0f;
    float leftY = 0.0f;
    float rightX = 0.0f;
    float rightY = 0.0f;
};

// Axes and bits of one pad as read from its device this frame.
struct PadReading {
    PadAxes axes;
    uint32_t bits = 0;
};

PadReading ConvertStandardPad(const platform::input::StandardPadState& state);

// independentSticks: both sticks set their direction bits freely; otherwise
// each stick gives at most one direction and none on a diagonal.
PadReading ConvertGenericPad(const platform::input::GenericPadState& state, bool independentSticks);

// The dead zone every axis gets before the game sees it: |v| <= 0.25 reads 0,
// the rest is stretched back to the full range.
float ApplyLogicalDeadZone(float value);

// One pad slot as the game sees it.
struct PadInput {
    PadInput() = default;
    // The gesture list points at this record's own touch point.
    PadInput(const PadInput&) = delete;
    PadInput& operator=(const PadInput&) = delete;

    uint32_t current = 0;
    uint32_t previous = 0;
    PadAxes axes;
    TouchPoint touch;
    ButtonSet32 buttons;
    TouchList gestureList;  // points taking part in gesture recognition

    // Held/pressed/released/repeat from the bits read this frame; with
    // recognizeGestures, the touch point joins the list and gestures are found.
    void UpdateLogical(bool recognizeGestures);
};

}  // namespace vesk::input
