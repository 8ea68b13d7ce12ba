// Standard and generic pad readings turned into the game's bits and axes, with their dead zones.
#include <gtest/gtest.h>

#include "framework/input/pad_input.h"

namespace vesk::input {
namespace {

using platform::input::GenericPadState;
using platform::input::StandardPadState;
namespace pad_button = platform::input::pad_button;

TEST(StandardPad, StickDeadZonesScaleAndUpwardY)
{
    StandardPadState state;
    state.leftX = 7848;    // inside the left dead zone
    state.leftY = 16384;   // up
    state.rightX = 8688;   // inside the right dead zone
    state.rightY = -8689;  // just outside it: down
    const PadReading reading = ConvertStandardPad(state);
    EXPECT_EQ(reading.axes.leftX, 0.0f);
    EXPECT_FLOAT_EQ(reading.axes.leftY, -0.5f);
    EXPECT_EQ(reading.axes.rightX, 0.0f);
    EXPECT_FLOAT_EQ(reading.axes.rightY, 8689.0f / 32768.0f);
    EXPECT_EQ(reading.bits, pad_bit::LeftStickUp | pad_bit::RightStickDown);
}

TEST(StandardPad, ButtonsAndTriggersGiveTheirBits)
{
    StandardPadState state;
    state.buttons = pad_button::A | pad_button::B | pad_button::Start | pad_button::DpadLeft |
                    pad_button::RightShoulder | pad_button::LeftThumb;
    state.leftTrigger = 27;   // 0.106: below the trigger dead zone
    state.rightTrigger = 255;
    const PadReading reading = ConvertStandardPad(state);
    EXPECT_EQ(reading.bits, pad_bit::Button2 | pad_bit::Button1 | pad_bit::Start | pad_bit::Left |
                                pad_bit::ShoulderRight | pad_bit::ThumbLeft | pad_bit::TriggerRight);
    EXPECT_EQ(reading.axes.leftTrigger, 0.0f);
    EXPECT_FLOAT_EQ(reading.axes.rightTrigger, 1.0f);
}

TEST(GenericPad, AxesAroundTheCentreWithTheirDeadZones)
{
    GenericPadState state;
    state.x = 32768 + 7800;   // 0.238: inside 0.24
    state.y = 32768 - 16384;  // -0.5: up
    state.z = 32768 + 8848;   // just beyond 0.27
    state.rz = 32768 - 8800;  // -0.2686: inside 0.27
    state.buttons[6] = 0x80;
    const PadReading reading = ConvertGenericPad(state, true);
    EXPECT_EQ(reading.axes.leftX, 0.0f);
    EXPECT_FLOAT_EQ(reading.axes.leftY, -0.5f);
    EXPECT_GT(reading.axes.rightX, 0.26f);
    EXPECT_EQ(reading.axes.rightY, 0.0f);
    EXPECT_EQ(reading.axes.leftTrigger, 1.0f);
    EXPECT_EQ(reading.axes.rightTrigger, 0.0f);
    EXPECT_EQ(reading.bits, pad_bit::LeftStickUp | pad_bit::RightStickRight);
}

TEST(GenericPad, DiagonalStickGivesNoBitUnlessSticksAreIndependent)
{
    GenericPadState state;
    state.x = 0;      // left
    state.y = 65535;  // down
    EXPECT_EQ(ConvertGenericPad(state, false).bits, 0u);
    EXPECT_EQ(ConvertGenericPad(state, true).bits, pad_bit::LeftStickLeft | pad_bit::LeftStickDown);
    state.y = 32768;
    EXPECT_EQ(ConvertGenericPad(state, false).bits, pad_bit::LeftStickLeft);
}

TEST(GenericPad, ButtonsAndHat)
{
    GenericPadState state;
    for (int button : {9, 8, 2, 1, 0, 3, 4, 5, 10, 11}) {
        state.buttons[button] = 0x80;
    }
    state.hat = 22500;
    const PadReading reading = ConvertGenericPad(state, false);
    EXPECT_EQ(reading.bits, 0x1u | 0x2u | 0xF00u | 0x30000u | 0x300000u | pad_bit::Down | pad_bit::Left);

    const struct {
        uint32_t angle;
        uint32_t bits;
    } hats[] = {{0, 0x10}, {4500, 0x90}, {9000, 0x80}, {13500, 0xA0}, {18000, 0x20},
                {22500, 0x60}, {27000, 0x40}, {31500, 0x50}, {platform::input::kHatCentred, 0}, {1234, 0}};
    for (const auto& hat : hats) {
        GenericPadState only;
        only.hat = hat.angle;
        EXPECT_EQ(ConvertGenericPad(only, false).bits, hat.bits) << hat.angle;
    }
}

TEST(LogicalDeadZone, StretchesWhatIsLeftOfTheRange)
{
    EXPECT_EQ(ApplyLogicalDeadZone(0.25f), 0.0f);
    EXPECT_EQ(ApplyLogicalDeadZone(-0.25f), 0.0f);
    EXPECT_NEAR(ApplyLogicalDeadZone(0.5f), 0.3333f, 1e-4f);
    EXPECT_NEAR(ApplyLogicalDeadZone(-0.5f), -0.3333f, 1e-4f);
    EXPECT_FLOAT_EQ(ApplyLogicalDeadZone(1.0f), 1.0f);
    EXPECT_FLOAT_EQ(ApplyLogicalDeadZone(-1.0f), -1.0f);
}

TEST(PadLogical, TriggerAboveTheDeadZoneSetsItsBit)
{
    PadInput pad;
    pad.axes.rightTrigger = 0.5f;
    pad.axes.leftTrigger = 0.2f;
    pad.UpdateLogical(false);
    EXPECT_EQ(pad.current, pad_bit::TriggerRight);
    EXPECT_EQ(pad.buttons.pressed, pad_bit::TriggerRight);
    EXPECT_NEAR(pad.axes.rightTrigger, 0.3333f, 1e-4f);
    EXPECT_EQ(pad.axes.leftTrigger, 0.0f);
}

}  // namespace
}  // namespace vesk::input
