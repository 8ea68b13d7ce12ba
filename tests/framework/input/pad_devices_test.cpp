// Pad devices in their slots: standard and generic pads, plugged in, lost and returning.
#include <gtest/gtest.h>

#include "platform/input/key_codes.h"
#include "platform/input/virtual_pad.h"
#include "tests/framework/input/input_fixture.h"

namespace vesk::input::test {
namespace {

using platform::input::GenericPadState;
using platform::input::PadKind;
using platform::input::StandardPadState;
using platform::input::VirtualPad;
namespace pad_button = platform::input::pad_button;
namespace key = platform::input::key;

// Pads plugged in after start-up, as the window's device-change message reports them.
class PadDevicesTest : public InputTest {
protected:
    void TearDown() override
    {
        // Virtual pads go before the pad back end stops.
        for (VirtualPad& pad : pads_) {
            pad.Detach();
        }
        InputTest::TearDown();
    }

    VirtualPad& Plug(int index, PadKind kind, uint16_t vendor = 0, uint16_t product = 0)
    {
        EXPECT_TRUE(pads_[index].Attach(kind, vendor, product));
        OnDeviceChange();
        return pads_[index];
    }

    VirtualPad pads_[5];
};

TEST_F(PadDevicesTest, StandardPadReadsAsSticksButtonsAndTriggers)
{
    VirtualPad& virtualPad = Plug(0, PadKind::Standard);
    ASSERT_EQ(GetPadSlot(0)->kind, PadSlotKind::Standard);

    StandardPadState state;
    state.leftX = 16384;   // half right
    state.leftY = 16384;   // half up
    state.rightX = -32768;
    state.rightTrigger = 255;
    state.buttons = pad_button::A | pad_button::DpadDown;
    virtualPad.Set(state);
    Frame();

    const PadInput* pad = GetPadInput(0);
    ASSERT_NE(pad, nullptr);
    // 0.5 from the device, then the logical dead zone.
    EXPECT_NEAR(pad->axes.leftX, 0.3333f, 1e-3f);
    EXPECT_NEAR(pad->axes.leftY, -0.3333f, 1e-3f);
    EXPECT_FLOAT_EQ(pad->axes.rightX, -1.0f);
    EXPECT_FLOAT_EQ(pad->axes.rightTrigger, 1.0f);
    EXPECT_EQ(pad->axes.leftTrigger, 0.0f);
    const uint32_t expected = pad_bit::Button2 | pad_bit::Down | pad_bit::LeftStickRight | pad_bit::LeftStickUp |
                              pad_bit::RightStickLeft | pad_bit::TriggerRight;
    EXPECT_EQ(pad->buttons.held, expected);
    EXPECT_EQ(pad->buttons.pressed, expected);

    Frame();
    EXPECT_EQ(pad->buttons.held, expected);
    EXPECT_EQ(pad->buttons.pressed, 0u);
    EXPECT_EQ(pad->buttons.repeat, 0u);

    virtualPad.Set(StandardPadState{});
    Frame();
    EXPECT_EQ(pad->buttons.held, 0u);
    EXPECT_EQ(pad->buttons.released, expected);
}

TEST_F(PadDevicesTest, GenericControllerReadsThroughItsAxesHatAndButtons)
{
    VirtualPad& virtualPad = Plug(0, PadKind::Generic, 0x0F0D, 0x00C1);
    ASSERT_EQ(GetPadSlot(0)->kind, PadSlotKind::Generic);

    GenericPadState state;
    state.x = 65535;
    state.hat = 0;
    state.buttons[1] = 0x80;  // button 2 of the pad bits
    state.buttons[7] = 0x80;  // right trigger
    virtualPad.Set(state);
    Frame();

    const PadInput* pad = GetPadInput(0);
    EXPECT_NEAR(pad->axes.leftX, 1.0f, 1e-3f);
    EXPECT_FLOAT_EQ(pad->axes.rightTrigger, 1.0f);
    EXPECT_EQ(pad->buttons.held,
              pad_bit::Button2 | pad_bit::Up | pad_bit::LeftStickRight | pad_bit::TriggerRight);
}

TEST_F(PadDevicesTest, NewPadsTakeTheFirstFreeSlotAndLostSlotsAreKept)
{
    Plug(0, PadKind::Standard);
    Plug(1, PadKind::Generic, 0x0001, 0x0002);
    EXPECT_EQ(GetPadSlot(0)->kind, PadSlotKind::Standard);
    EXPECT_EQ(GetPadSlot(1)->kind, PadSlotKind::Generic);
    EXPECT_EQ(GetPadSlot(2)->state, PadSlotState::Free);

    // The generic pad goes away: its slot is lost at the next read.
    pads_[1].Detach();
    OnDeviceChange();
    Frame();
    EXPECT_FALSE(GetPadSlot(1)->present);
    EXPECT_EQ(GetPadSlot(1)->state, PadSlotState::Lost);

    // A pad of another model takes the first slot not assigned: the lost one.
    Plug(2, PadKind::Generic, 0x0003, 0x0004);
    EXPECT_EQ(GetPadSlot(1)->state, PadSlotState::Assigned);
    EXPECT_EQ(GetPadSlot(1)->instanceId, pads_[2].InstanceId());

    // Four slots only: a fifth pad waits.
    Plug(3, PadKind::Standard);
    Plug(4, PadKind::Standard);
    EXPECT_EQ(GetPadSlot(2)->instanceId, pads_[3].InstanceId());
    EXPECT_EQ(GetPadSlot(3)->instanceId, pads_[4].InstanceId());
    pads_[0].Detach();
    Frame();
    EXPECT_EQ(GetPadSlot(0)->state, PadSlotState::Lost);
}

TEST_F(PadDevicesTest, ReturningPadGetsItsLostSlotBack)
{
    Plug(0, PadKind::Generic, 0x0001, 0x0002);
    Plug(1, PadKind::Generic, 0x0003, 0x0004);
    pads_[0].Detach();
    Frame();
    pads_[1].Detach();
    Frame();
    ASSERT_EQ(GetPadSlot(0)->state, PadSlotState::Lost);
    ASSERT_EQ(GetPadSlot(1)->state, PadSlotState::Lost);

    Plug(1, PadKind::Generic, 0x0003, 0x0004);
    EXPECT_EQ(GetPadSlot(1)->instanceId, pads_[1].InstanceId());
    EXPECT_EQ(GetPadSlot(0)->state, PadSlotState::Lost);
}

TEST_F(PadDevicesTest, ControllerOfAStandardPadModelIsNotTakenTwice)
{
    Plug(0, PadKind::Standard, 0x045E, 0x028E);
    Plug(1, PadKind::Generic, 0x045E, 0x028E);
    EXPECT_EQ(GetPadSlot(0)->kind, PadSlotKind::Standard);
    EXPECT_EQ(GetPadSlot(1)->state, PadSlotState::Free);
}

TEST_F(PadDevicesTest, PadPresentAtStartUpIsFound)
{
    ReleaseInput();
    ASSERT_TRUE(platform::input::InitPadDevices());  // keeps the back end up across the restart
    ASSERT_TRUE(pads_[0].Attach(PadKind::Standard));
    CreateInput();
    EXPECT_EQ(GetPadSlot(0)->kind, PadSlotKind::Standard);
    EXPECT_TRUE(GetPadSlot(0)->present);
    pads_[0].Detach();
    platform::input::ShutdownPadDevices();
}

TEST_F(PadDevicesTest, PadsAreNotReadWhileTheWindowIsInactive)
{
    VirtualPad& virtualPad = Plug(0, PadKind::Standard);
    StandardPadState state;
    state.buttons = pad_button::B;
    virtualPad.Set(state);
    Frame();
    const PadInput* pad = GetPadInput(0);
    ASSERT_EQ(pad->buttons.pressed, pad_bit::Button1);

    window_.active = false;
    state.buttons = pad_button::Y;
    state.leftX = 32767;
    virtualPad.Set(state);
    for (int frame = 0; frame < 3; ++frame) {
        Frame();
        EXPECT_EQ(pad->current, pad_bit::Button1);
        EXPECT_EQ(pad->buttons.held, pad_bit::Button1);
        EXPECT_EQ(pad->axes.leftX, 0.0f);
        // The press is not reported again on every inactive frame.
        EXPECT_EQ(pad->buttons.pressed, 0u);
    }

    window_.active = true;
    Frame();
    EXPECT_EQ(pad->buttons.pressed, pad_bit::Button4 | pad_bit::LeftStickRight);
    EXPECT_EQ(pad->buttons.released, pad_bit::Button1);
}

TEST_F(PadDevicesTest, UnpluggedPadLetsGoOfItsButtons)
{
    VirtualPad& virtualPad = Plug(1, PadKind::Standard);
    StandardPadState state;
    state.buttons = pad_button::A;
    virtualPad.Set(state);
    Frame();
    const PadInput* pad = GetPadInput(0);
    ASSERT_EQ(pad->buttons.held, pad_bit::Button2);

    virtualPad.Detach();
    Frame();
    EXPECT_EQ(pad->buttons.held, 0u);
    EXPECT_EQ(pad->buttons.released, pad_bit::Button2);
    Frame();
    EXPECT_EQ(pad->buttons.released, 0u);
}

TEST_F(PadDevicesTest, KeyboardDrivesItsPadSlot)
{
    OnKeyEvent(key::Escape, true);
    OnKeyEvent(key::A, true);
    Frame();
    const PadInput* pad = GetPadInput(0);
    EXPECT_EQ(pad->buttons.held, 0x1u);
    EXPECT_FLOAT_EQ(pad->axes.rightX, -1.0f);
    EXPECT_EQ(GetPadInput(1)->buttons.held, 0u);

    // Control silences the buttons and lets the arrows move the left stick.
    OnKeyEvent(key::LeftControl, true);
    OnKeyEvent(key::Down, true);
    Frame();
    EXPECT_EQ(pad->buttons.held, 0u);
    EXPECT_FLOAT_EQ(pad->axes.leftY, 1.0f);

    // With a pad in the slot the keyboard's buttons are added to the pad's.
    OnKeyEvent(key::LeftControl, false);
    OnKeyEvent(key::End, true);
    VirtualPad& virtualPad = Plug(0, PadKind::Standard);
    StandardPadState state;
    state.buttons = pad_button::X;
    virtualPad.Set(state);
    Frame();
    EXPECT_EQ(pad->buttons.held, pad_bit::Button3 | 0x1u | 0x2u);
}

}  // namespace
}  // namespace vesk::input::test
