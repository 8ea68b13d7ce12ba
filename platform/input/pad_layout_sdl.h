// What the pad reader and the virtual pads share of how the back end sees a pad.
// Plain integers, so that no header needs the back end's types.
#pragma once

#include <cstdint>
#include <span>

namespace platform::input {

// One button of the standard layout: its number in the back end's
// game-controller layout and its bit in StandardPadState::buttons.
struct StandardButtonBit {
    int backendButton = 0;
    uint16_t bit = 0;
};

std::span<const StandardButtonBit> StandardButtonBits();

// The device index of the attached device with this instance id, or -1.
int DeviceIndexOf(int32_t instanceId);

}  // namespace platform::input
