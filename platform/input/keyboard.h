// The keyboard device: a table of 256 bytes indexed by key code, bit 7 set while the key is down.
// Key events from the window's queue feed it; the input manager reads it once
// per frame. Key codes are those of key_codes.h.
#pragma once

#include <array>
#include <cstdint>

namespace platform::input {

using KeyboardState = std::array<uint8_t, 256>;

inline constexpr uint8_t kKeyDownBit = 0x80;

// The key code of an SDL scancode; key::None for keys the table does not know.
uint8_t KeyCodeFromScancode(int scancode);

// Records a key going down or up.
void SetKeyDown(uint8_t code, bool down);

// Copies the current table; a key pressed and released since the last read reads as down this once.
void ReadKeyboard(KeyboardState& state);

// Marks every key as up.
void ResetKeyboard();

}  // namespace platform::input
