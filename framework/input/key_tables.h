// The keyboard's tables: keys that set the 32 command bits and keys that set the 111 logical keys.
#pragma once

#include <cstdint>
#include <span>

namespace vesk::input {

// Logical keys are the numbers the game binds actions to and saves; 0 to 110.
inline constexpr int kLogicalKeyCount = 111;

struct KeyBit {
    uint8_t keyCode;  // platform key code
    uint32_t bit;     // command bit
};

struct KeyLogical {
    uint8_t keyCode;
    uint8_t logicalKey;
};

// Keys that set the 32 command bits (Enter, Escape, digits, keypad, ...).
std::span<const KeyBit> CommandKeyTable();

// Keys that set logical keys. Several keys may set one logical key and one key
// may set two; the arrow keys are absent, they drive the pad emulation instead.
std::span<const KeyLogical> LogicalKeyTable();

}  // namespace vesk::input
