// The tables of keys that set the command bits and the logical keys.
#include "framework/input/key_tables.h"

#include "platform/input/key_codes.h"

namespace vesk::input {

namespace key = platform::input::key;

namespace {

constexpr KeyBit kCommandKeys[] = {
    {key::Return, 0x1},
    {key::NumpadEnter, 0x1},
    {key::Escape, 0x2},
    {key::Space, 0x4},
    {key::Tab, 0x8},
    {key::Home, 0x10},
    {key::End, 0x20},
    {key::Prior, 0x40},
    {key::Next, 0x80},
    {key::Digit0, 0x100},
    {key::Digit1, 0x200},
    {key::Digit2, 0x400},
    {key::Digit3, 0x800},
    {key::Digit4, 0x1000},
    {key::Digit5, 0x2000},
    {key::Digit6, 0x4000},
    {key::Digit7, 0x8000},
    {key::Digit8, 0x10000},
    {key::Digit9, 0x20000},
    {key::Numpad0, 0x40000},
    {key::Numpad1, 0x80000},
    {key::Numpad2, 0x100000},
    {key::Numpad3, 0x200000},
    {key::Numpad4, 0x400000},
    {key::Numpad5, 0x800000},
    {key::Numpad6, 0x1000000},
    {key::Numpad7, 0x2000000},
    {key::Numpad8, 0x4000000},
    {key::Numpad9, 0x8000000},
    {key::Add, 0x10000000},
    {key::Subtract, 0x20000000},
    {key::Multiply, 0x40000000},
    {key::Divide, 0x80000000},
};

constexpr uint8_t F(int n) { return static_cast<uint8_t>(key::F1 + n - 1); }

constexpr KeyLogical kLogicalKeys[] = {
    {key::Escape, 0},
    {F(1), 1}, {F(2), 2}, {F(3), 3}, {F(4), 4}, {F(5), 5},
    {F(6), 6}, {F(7), 7}, {F(8), 8}, {F(9), 9}, {F(10), 10},
    {key::F11, 11}, {key::F12, 12}, {key::F13, 13}, {key::F14, 14}, {key::F15, 15},
    {key::Kanji, 16},
    {key::Digit0, 26},
    {key::Digit1, 17}, {key::Digit2, 18}, {key::Digit3, 19}, {key::Digit4, 20}, {key::Digit5, 21},
    {key::Digit6, 22}, {key::Digit7, 23}, {key::Digit8, 24}, {key::Digit9, 25},
    {key::Minus, 27},
    {key::Equals, 28},
    {key::Yen, 29},
    {key::Back, 30},
    {key::Tab, 31},
    {key::Q, 32}, {key::W, 33}, {key::E, 34}, {key::R, 35}, {key::T, 36},
    {key::Y, 37}, {key::U, 38}, {key::I, 39}, {key::O, 40}, {key::P, 41},
    {key::At, 42},
    {key::LeftBracket, 43},
    {key::Capital, 45},
    {key::A, 46}, {key::S, 47}, {key::D, 48}, {key::F, 49}, {key::G, 50},
    {key::H, 51}, {key::J, 52}, {key::K, 53}, {key::L, 54},
    {key::Semicolon, 55},
    {key::Colon, 56},
    {key::RightBracket, 57},
    {key::LeftShift, 58},
    {key::Z, 59}, {key::X, 60}, {key::C, 61}, {key::V, 62}, {key::B, 63}, {key::N, 64}, {key::M, 65},
    {key::Comma, 66},
    {key::Period, 67},
    {key::Slash, 68},
    {key::Backslash, 69},
    {key::RightShift, 70},
    {key::Return, 44},
    {key::LeftControl, 71},
    {key::LeftMenu, 72},
    {key::NoConvert, 73},
    {key::Space, 74},
    {key::Convert, 75},
    {key::Kana, 76},
    {key::LeftMenu, 78},
    {key::RightMenu, 79},
    {key::RightControl, 80},
    {key::SysRq, 81},
    {key::Scroll, 82},
    {key::Pause, 83},
    {key::Insert, 84},
    {key::Delete, 85},
    {key::Home, 86},
    {key::End, 87},
    {key::Prior, 88},
    {key::Next, 89},
    {key::NumLock, 94},
    {key::Divide, 95},
    {key::Multiply, 96},
    {key::Subtract, 97},
    {key::Add, 98},
    {key::Numpad0, 99}, {key::Numpad1, 100}, {key::Numpad2, 101}, {key::Numpad3, 102}, {key::Numpad4, 103},
    {key::Numpad5, 104}, {key::Numpad6, 105}, {key::Numpad7, 106}, {key::Numpad8, 107}, {key::Numpad9, 108},
    {key::Decimal, 109},
    {key::NumpadEnter, 110},
};

}  // namespace

std::span<const KeyBit> CommandKeyTable() { return kCommandKeys; }

std::span<const KeyLogical> LogicalKeyTable() { return kLogicalKeys; }

}  // namespace vesk::input
