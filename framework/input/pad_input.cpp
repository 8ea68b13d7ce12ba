// Standard and generic pads converted to the game's pad bits and axes, with their dead zones.
#include "framework/input/pad_input.h"

#include <algorithm>
#include <cmath>

namespace vesk::input {

namespace pad_button = platform::input::pad_button;

namespace {

constexpr float kStickBitThreshold = 0.1f;
constexpr float kTriggerBitThreshold = 0.01f;
constexpr float kLogicalDeadZone = 0.25f;

// Dead zones of the standard pad's raw values, and of its triggers once scaled.
constexpr int kStandardLeftDeadZone = 7849;
constexpr int kStandardRightDeadZone = 8689;
constexpr float kStandardTriggerDeadZone = 0.11f;

// Dead zones of a generic pad's scaled sticks.
constexpr float kGenericLeftDeadZone = 0.24f;
constexpr float kGenericRightDeadZone = 0.27f;

struct StandardButtonBit {
    uint16_t button;
    uint32_t bit;
};

constexpr StandardButtonBit kStandardButtons[] = {
    {pad_button::Start, pad_bit::Start},
    {pad_button::Back, pad_bit::Select},
    {pad_button::DpadUp, pad_bit::Up},
    {pad_button::DpadDown, pad_bit::Down},
    {pad_button::DpadLeft, pad_bit::Left},
    {pad_button::DpadRight, pad_bit::Right},
    {pad_button::B, pad_bit::Button1},
    {pad_button::A, pad_bit::Button2},
    {pad_button::X, pad_bit::Button3},
    {pad_button::Y, pad_bit::Button4},
    {pad_button::LeftShoulder, pad_bit::ShoulderLeft},
    {pad_button::RightShoulder, pad_bit::ShoulderRight},
    {pad_button::LeftThumb, pad_bit::ThumbLeft},
    {pad_button::RightThumb, pad_bit::ThumbRight},
};

struct GenericButtonBit {
    int button;
    uint32_t bit;
};

constexpr GenericButtonBit kGenericButtons[] = {
    {9, pad_bit::Start},
    {8, pad_bit::Select},
    {2, pad_bit::Button1},
    {1, pad_bit::Button2},
    {0, pad_bit::Button3},
    {3, pad_bit::Button4},
    {4, pad_bit::ShoulderLeft},
    {5, pad_bit::ShoulderRight},
    {10, pad_bit::ThumbLeft},
    {11, pad_bit::ThumbRight},
};

constexpr int kGenericLeftTriggerButton = 6;
constexpr int kGenericRightTriggerButton = 7;

float StandardStick(int16_t raw, int deadZone, bool flip)
{
    if (std::abs(static_cast<int>(raw)) < deadZone) {
        return 0.0f;
    }
    const float value = static_cast<float>(raw) / 32768.0f;
    return flip ? -value : value;
}

float StandardTrigger(uint8_t raw)
{
    const float value = static_cast<float>(raw) / 255.0f;
    return value < kStandardTriggerDeadZone ? 0.0f : value;
}

float GenericStick(int32_t raw, float deadZone)
{
    const float value = static_cast<float>(raw - 32768) / 32768.0f;
    return std::fabs(value) < deadZone ? 0.0f : value;
}

// Each axis sets its own direction bits.
uint32_t IndependentStickBits(float x, float y, uint32_t up, uint32_t down, uint32_t left, uint32_t right)
{
    uint32_t bits = 0;
    if (x < -kStickBitThreshold) bits |= left;
    if (x > kStickBitThreshold) bits |= right;
    if (y < -kStickBitThreshold) bits |= up;
    if (y > kStickBitThreshold) bits |= down;
    return bits;
}

// One direction at most, horizontal first, none on a diagonal.
uint32_t SingleStickBit(float x, float y, uint32_t up, uint32_t down, uint32_t left, uint32_t right)
{
    if (std::fabs(x) > kStickBitThreshold && std::fabs(y) > kStickBitThreshold) return 0;
    if (x < -kStickBitThreshold) return left;
    if (x > kStickBitThreshold) return right;
    if (y < -kStickBitThreshold) return up;
    if (y > kStickBitThreshold) return down;
    return 0;
}

uint32_t HatBits(uint32_t angle)
{
    switch (angle) {
    case 0: return pad_bit::Up;
    case 4500: return pad_bit::Up | pad_bit::Right;
    case 9000: return pad_bit::Right;
    case 13500: return pad_bit::Down | pad_bit::Right;
    case 18000: return pad_bit::Down;
    case 22500: return pad_bit::Down | pad_bit::Left;
    case 27000: return pad_bit::Left;
    case 31500: return pad_bit::Up | pad_bit::Left;
    default: return 0;
    }
}

bool IsDown(uint8_t button) { return (button & 0x80) != 0; }

}  // namespace

PadReading ConvertStandardPad(const platform::input::StandardPadState& state)
{
    PadReading reading;
    PadAxes& axes = reading.axes;
    axes.leftX = StandardStick(state.leftX, kStandardLeftDeadZone, false);
    axes.leftY = StandardStick(state.leftY, kStandardLeftDeadZone, true);
    axes.rightX = StandardStick(state.rightX, kStandardRightDeadZone, false);
    axes.rightY = StandardStick(state.rightY, kStandardRightDeadZone, true);
    axes.leftTrigger = StandardTrigger(state.leftTrigger);
    axes.rightTrigger = StandardTrigger(state.rightTrigger);

    for (const StandardButtonBit& entry : kStandardButtons) {
        if ((state.buttons & entry.button) != 0) {
            reading.bits |= entry.bit;
        }
    }
    reading.bits |= IndependentStickBits(axes.leftX, axes.leftY, pad_bit::LeftStickUp, pad_bit::LeftStickDown,
                                         pad_bit::LeftStickLeft, pad_bit::LeftStickRight);
    reading.bits |= IndependentStickBits(axes.rightX, axes.rightY, pad_bit::RightStickUp, pad_bit::RightStickDown,
                                         pad_bit::RightStickLeft, pad_bit::RightStickRight);
    if (axes.leftTrigger > kTriggerBitThreshold) reading.bits |= pad_bit::TriggerLeft;
    if (axes.rightTrigger > kTriggerBitThreshold) reading.bits |= pad_bit::TriggerRight;
    return reading;
}

PadReading ConvertGenericPad(const platform::input::GenericPadState& state, bool independentSticks)
{
    PadReading reading;
    PadAxes& axes = reading.axes;
    axes.leftX = GenericStick(state.x, kGenericLeftDeadZone);
    axes.leftY = GenericStick(state.y, kGenericLeftDeadZone);
    axes.rightX = GenericStick(state.z, kGenericRightDeadZone);
    axes.rightY = GenericStick(state.rz, kGenericRightDeadZone);
    axes.leftTrigger = IsDown(state.buttons[kGenericLeftTriggerButton]) ? 1.0f : 0.0f;
    axes.rightTrigger = IsDown(state.buttons[kGenericRightTriggerButton]) ? 1.0f : 0.0f;

    for (const GenericButtonBit& entry : kGenericButtons) {
        if (IsDown(state.buttons[entry.button])) {
            reading.bits |= entry.bit;
        }
    }
    reading.bits |= HatBits(state.hat);
    const auto stickBits = independentSticks ? IndependentStickBits : SingleStickBit;
    reading.bits |= stickBits(axes.leftX, axes.leftY, pad_bit::LeftStickUp, pad_bit::LeftStickDown,
                              pad_bit::LeftStickLeft, pad_bit::LeftStickRight);
    reading.bits |= stickBits(axes.rightX, axes.rightY, pad_bit::RightStickUp, pad_bit::RightStickDown,
                              pad_bit::RightStickLeft, pad_bit::RightStickRight);
    return reading;
}

float ApplyLogicalDeadZone(float value)
{
    const float magnitude = std::fabs(value);
    if (magnitude <= kLogicalDeadZone) {
        return 0.0f;
    }
    const float stretched = (magnitude - kLogicalDeadZone) / (1.0f - kLogicalDeadZone);
    return value < 0.0f ? -stretched : stretched;
}

void PadInput::UpdateLogical(bool recognizeGestures)
{
    axes.leftTrigger = ApplyLogicalDeadZone(axes.leftTrigger);
    axes.rightTrigger = ApplyLogicalDeadZone(axes.rightTrigger);
    axes.leftX = ApplyLogicalDeadZone(axes.leftX);
    axes.leftY = ApplyLogicalDeadZone(axes.leftY);
    axes.rightX = ApplyLogicalDeadZone(axes.rightX);
    axes.rightY = ApplyLogicalDeadZone(axes.rightY);
    if (std::fabs(axes.leftTrigger) > kTriggerBitThreshold) current |= pad_bit::TriggerLeft;
    if (std::fabs(axes.rightTrigger) > kTriggerBitThreshold) current |= pad_bit::TriggerRight;

    buttons.Update(current, previous);

    if (recognizeGestures) {
        if (std::find(gestureList.begin(), gestureList.end(), &touch) == gestureList.end()) {
            gestureList.push_back(&touch);
        }
        RecognizeGestures(gestureList);
    }
}

}  // namespace vesk::input
