// The keyboard as the game reads it: repeats, edges, logical keys, command bits and the keyboard's pad slot.
#include <vector>

#include <gtest/gtest.h>

#include "platform/input/key_codes.h"
#include "tests/framework/input/input_fixture.h"

namespace vesk::input::test {
namespace {

namespace key = platform::input::key;

constexpr int kLogicalW = 33;
constexpr int kLogicalEnter = 44;

class KeyboardTest : public InputTest {};

TEST_F(KeyboardTest, HeldKeyRepeatsOnFirstFrameThenEveryFifthAfterThirty)
{
    OnKeyEvent(key::W, true);
    std::vector<int> pulses;
    for (int frame = 1; frame <= 40; ++frame) {
        Frame();
        if (GetButton(3, kLogicalW) != 0) {
            pulses.push_back(frame);
        }
        EXPECT_NE(GetButton(0, kLogicalW), 0) << "frame " << frame;
    }
    EXPECT_EQ(pulses, (std::vector<int>{1, 30, 35, 40}));

    // Released, the counter starts over.
    OnKeyEvent(key::W, false);
    Frame();
    OnKeyEvent(key::W, true);
    Frame();
    EXPECT_NE(GetButton(3, kLogicalW), 0);
    Frame();
    EXPECT_EQ(GetButton(3, kLogicalW), 0);
}

TEST_F(KeyboardTest, PressedAndReleasedOnlyOnTheirEdgeFrames)
{
    Frame();
    EXPECT_EQ(GetButton(2, kLogicalEnter), 0);

    OnKeyEvent(key::Return, true);
    Frame();
    EXPECT_NE(GetButton(2, kLogicalEnter), 0);
    EXPECT_EQ(GetButton(1, kLogicalEnter), 0);
    Frame();
    EXPECT_EQ(GetButton(2, kLogicalEnter), 0);
    EXPECT_NE(GetButton(0, kLogicalEnter), 0);

    OnKeyEvent(key::Return, false);
    Frame();
    EXPECT_NE(GetButton(1, kLogicalEnter), 0);
    EXPECT_EQ(GetButton(0, kLogicalEnter), 0);
    Frame();
    EXPECT_EQ(GetButton(1, kLogicalEnter), 0);
}

TEST_F(KeyboardTest, ButtonsOutsideTheKeyAndMouseRangesReadZero)
{
    for (uint8_t code = 1; code != 0; ++code) {
        OnKeyEvent(code, true);
    }
    Frame();
    for (int mode = 0; mode <= 3; ++mode) {
        EXPECT_EQ(GetButton(mode, 111), 0);
        EXPECT_EQ(GetButton(mode, 115), 0);
        EXPECT_EQ(GetButton(mode, -1), 0);
        EXPECT_EQ(GetButton(mode, 1000), 0);
    }
    EXPECT_NE(GetButton(0, 0), 0);
    EXPECT_EQ(GetButton(4, 0), 0);
    EXPECT_EQ(GetButton(-1, 0), 0);
}

TEST_F(KeyboardTest, NothingReadsWithoutTheInputRecords)
{
    OnKeyEvent(key::Escape, true);
    Frame();
    ReleaseInput();
    EXPECT_EQ(GetButton(0, 0), 0);
    EXPECT_EQ(GetKeyboardInput(), nullptr);
    EXPECT_EQ(GetPadInput(0), nullptr);
    UpdateInput(window_);  // harmless
}

TEST_F(KeyboardTest, ArrowKeysAreNoLogicalKeysButLeftAltIsTwo)
{
    OnKeyEvent(key::Left, true);
    OnKeyEvent(key::Up, true);
    Frame();
    for (int logical = 0; logical < kLogicalKeyCount; ++logical) {
        EXPECT_EQ(GetButton(0, logical), 0) << logical;
    }
    OnKeyEvent(key::LeftMenu, true);
    Frame();
    EXPECT_NE(GetButton(0, 72), 0);
    EXPECT_NE(GetButton(0, 78), 0);
    EXPECT_EQ(GetButton(0, 77), 0);
}

TEST_F(KeyboardTest, CommandBitsFollowTheirKeys)
{
    OnKeyEvent(key::NumpadEnter, true);
    OnKeyEvent(key::Digit9, true);
    OnKeyEvent(key::Numpad4, true);
    Frame();
    const KeyboardInput* keyboard = GetKeyboardInput();
    ASSERT_NE(keyboard, nullptr);
    EXPECT_EQ(keyboard->commands.held, 0x1u | 0x20000u | 0x400000u);
    EXPECT_EQ(keyboard->commands.pressed, keyboard->commands.held);
    OnKeyEvent(key::Digit9, false);
    Frame();
    EXPECT_EQ(keyboard->commands.released, 0x20000u);
}

// The game reads the first pad only: keypad + (a zoom key to many) leaves the keyboard's Escape there.
TEST_F(KeyboardTest, KeypadPlusLeavesTheKeyboardOnTheFirstPadSlot)
{
    for (int press = 0; press < 3; ++press) {
        OnKeyEvent(key::Add, true);
        Frame();
        OnKeyEvent(key::Add, false);
        Frame();
    }
    EXPECT_EQ(GetKeyboardPadIndex(), 0);
    OnKeyEvent(key::Escape, true);
    Frame();
    EXPECT_EQ(GetPadInput(0)->buttons.pressed, 0x1u);
    EXPECT_EQ(GetPadInput(1)->buttons.held, 0u);
}

}  // namespace
}  // namespace vesk::input::test
