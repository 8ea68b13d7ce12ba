// Scancodes to key codes, and the keyboard table following key events.
#include <gtest/gtest.h>

#include "platform/input/key_codes.h"
#include "platform/input/keyboard.h"

namespace platform::input {
namespace {

// Scancodes are USB HID usage ids, as the window's key messages carry them.
TEST(KeyCodeFromScancode, KeysOfTheDefaultBindingsAndTheArrows)
{
    const struct {
        int scancode;
        uint8_t code;
    } keys[] = {
        {40, key::Return}, {44, key::Space}, {43, key::Tab}, {4, key::A},      {7, key::D},
        {22, key::S},      {26, key::W},     {21, key::R},   {6, key::C},      {20, key::Q},
        {8, key::E},       {12, key::I},     {18, key::O},   {30, key::Digit1}, {35, key::Digit6},
        {39, key::Digit0}, {41, key::Escape}, {77, key::End}, {87, key::Add},   {88, key::NumpadEnter},
        {79, key::Right},  {80, key::Left},  {81, key::Down}, {82, key::Up},    {224, key::LeftControl},
        {228, key::RightControl}, {226, key::LeftMenu}, {230, key::RightMenu}, {89, key::Numpad1},
        {96, key::Numpad8},
    };
    for (const auto& entry : keys) {
        EXPECT_EQ(KeyCodeFromScancode(entry.scancode), entry.code) << entry.scancode;
    }
    EXPECT_EQ(KeyCodeFromScancode(0), key::None);
    EXPECT_EQ(KeyCodeFromScancode(-5), key::None);
    EXPECT_EQ(KeyCodeFromScancode(100000), key::None);
}

TEST(Keyboard, TableFollowsKeyEvents)
{
    ResetKeyboard();
    SetKeyDown(key::Up, true);
    SetKeyDown(key::None, true);
    KeyboardState state;
    ReadKeyboard(state);
    EXPECT_EQ(state[key::Up], kKeyDownBit);
    EXPECT_EQ(state[key::None], 0);
    SetKeyDown(key::Up, false);
    ReadKeyboard(state);
    EXPECT_EQ(state[key::Up], 0);

    // A tap between two reads is seen by the first and released by the second.
    SetKeyDown(key::Return, true);
    SetKeyDown(key::Return, false);
    ReadKeyboard(state);
    EXPECT_EQ(state[key::Return], kKeyDownBit);
    ReadKeyboard(state);
    EXPECT_EQ(state[key::Return], 0);
}

}  // namespace
}  // namespace platform::input
