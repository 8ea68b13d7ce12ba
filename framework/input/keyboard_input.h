// The keyboard as the game sees it: 32 command bits and the 111 logical keys that actions are bound to.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>

#include "framework/input/button_state.h"
#include "framework/input/key_tables.h"
#include "platform/input/keyboard.h"

namespace vesk::input {

// The keyboard as the game sees it: 32 command bits (Enter, Escape, digits,
// keypad, ...) and the 111 logical keys that actions are bound to.
struct KeyboardInput {
    using LogicalBits = std::bitset<128>;

    platform::input::KeyboardState keys{};  // the device table read this frame

    uint32_t commandCurrent = 0;
    uint32_t commandPrevious = 0;
    ButtonSet32 commands;

    LogicalBits logicalCurrent;
    LogicalBits logicalPrevious;
    LogicalBits logicalHeld;
    LogicalBits logicalReleased;
    LogicalBits logicalPressed;
    std::array<uint8_t, kLogicalKeyCount> logicalRepeat{};
    std::array<uint8_t, kLogicalKeyCount> logicalHoldFrames{};

    bool IsKeyDown(uint8_t keyCode) const { return (keys[keyCode] & platform::input::kKeyDownBit) != 0; }

    // Takes a new device table and derives this frame's command bits.
    void UpdateCommands(const platform::input::KeyboardState& state);
    // Derives this frame's logical key sets from the table.
    void UpdateLogicalKeys();
    // Query of one logical key: mode 0 held, 1 released, 2 pressed, 3 repeat pulse.
    int Query(int mode, int logicalKey) const;
};

}  // namespace vesk::input
