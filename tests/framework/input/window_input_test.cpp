// Key, cursor, wheel and device messages through the real window procedure into the input manager.
#include <gtest/gtest.h>

#include "framework/input/input_manager.h"
#include "platform/input/keyboard.h"
#include "platform/input/virtual_pad.h"
#include "tests/support/window_fixture.h"

namespace vesk::input::test {
namespace {

using platform::WindowEvent;
using platform::WindowEventType;

// The input manager fed by the real window procedure, as in the running game.
class WindowInputTest : public support::WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        platform::input::ResetKeyboard();
        SetInputOptions(kDefaultInputOptions);
        CreateInput();
        PushType(WindowEventType::Activated);
        DrainMessages();
    }

    void TearDown() override
    {
        pad_.Detach();
        ReleaseInput();
        platform::input::ResetKeyboard();
        WindowTest::TearDown();
    }

    // The messages of one pass of the loop, then the frame's input refresh.
    void Frame()
    {
        DrainMessages();
        UpdateInput();
    }

    void PushKey(uint16_t scancode, bool down)
    {
        WindowEvent event;
        event.type = down ? WindowEventType::KeyDown : WindowEventType::KeyUp;
        event.keyCode = scancode;
        Push(event);
    }

    void PushButton(platform::MouseButton button, int x, int y, bool down)
    {
        WindowEvent event;
        event.type = down ? WindowEventType::ButtonDown : WindowEventType::ButtonUp;
        event.button = button;
        event.x = x;
        event.y = y;
        Push(event);
    }

    void PushWheel(int delta)
    {
        WindowEvent event;
        event.type = WindowEventType::Wheel;
        event.wheelDelta = delta;
        Push(event);
    }

    platform::input::VirtualPad pad_;
};

TEST_F(WindowInputTest, KeyMessagesReachTheLogicalKeys)
{
    constexpr uint16_t kScancodeReturn = 40;
    constexpr int kLogicalEnter = 44;
    PushKey(kScancodeReturn, true);
    Frame();
    EXPECT_NE(GetButton(2, kLogicalEnter), 0);
    Frame();
    EXPECT_EQ(GetButton(2, kLogicalEnter), 0);
    EXPECT_NE(GetButton(0, kLogicalEnter), 0);
    PushKey(kScancodeReturn, false);
    Frame();
    EXPECT_NE(GetButton(1, kLogicalEnter), 0);
}

TEST_F(WindowInputTest, CursorIsHalvedIntoCanvasUnitsAtTwiceTheCanvasSize)
{
    window::SetWindowedClientSize(1280, 720);
    PushMouseMove(333, 101);
    Frame();
    const MouseInput* mouse = GetMouseInput();
    EXPECT_EQ(mouse->cursorX, 333);
    EXPECT_EQ(mouse->canvasX, 166);
    EXPECT_EQ(mouse->canvasY, 50);

    PushMouseMove(-3, 900);
    Frame();
    EXPECT_EQ(mouse->canvasX, 0);
    EXPECT_EQ(mouse->canvasY, 360);

    // A button message keeps its own position, not clamped.
    PushButton(platform::MouseButton::Left, 1301, -4, true);
    Frame();
    EXPECT_EQ(mouse->buttonCanvasX, 650);
    EXPECT_EQ(mouse->buttonCanvasY, -2);
    EXPECT_TRUE(mouse->buttonDown[0]);
    EXPECT_NE(GetButton(0, kButtonMouseLeft), 0);
    Frame();
    EXPECT_EQ(GetButton(0, kButtonMouseLeft), 0);
    PushButton(platform::MouseButton::Left, 10, 10, false);
    Frame();
    EXPECT_FALSE(mouse->buttonDown[0]);
    EXPECT_EQ(GetPadInput(0)->touch.state, kTouchReleased);
}

TEST_F(WindowInputTest, TapsWithinOneFrameAreSeenOnce)
{
    constexpr uint16_t kScancodeReturn = 40;
    constexpr int kLogicalEnter = 44;
    PushKey(kScancodeReturn, true);
    PushKey(kScancodeReturn, false);
    Frame();
    EXPECT_NE(GetButton(2, kLogicalEnter), 0);
    Frame();
    EXPECT_NE(GetButton(1, kLogicalEnter), 0);

    PushButton(platform::MouseButton::Left, 20, 20, true);
    PushButton(platform::MouseButton::Left, 20, 20, false);
    Frame();
    EXPECT_NE(GetButton(0, kButtonMouseLeft), 0);
    Frame();
    EXPECT_EQ(GetPadInput(0)->touch.state, kTouchReleased);
}

TEST_F(WindowInputTest, WheelStepsLastOneFrame)
{
    PushWheel(240);
    Frame();
    EXPECT_EQ(GetMouseInput()->wheelSteps, 2);
    Frame();
    EXPECT_EQ(GetMouseInput()->wheelSteps, 0);
    PushWheel(-119);
    Frame();
    EXPECT_EQ(GetMouseInput()->wheelSteps, 0);
    PushWheel(-360);
    Frame();
    EXPECT_EQ(GetMouseInput()->wheelSteps, -3);
}

TEST_F(WindowInputTest, PluggedPadIsFoundThroughTheDeviceMessage)
{
    ASSERT_TRUE(pad_.Attach(platform::input::PadKind::Standard));
    EXPECT_EQ(GetPadSlot(0)->state, PadSlotState::Free);
    Frame();
    EXPECT_EQ(GetPadSlot(0)->state, PadSlotState::Assigned);

    platform::input::StandardPadState state;
    state.buttons = platform::input::pad_button::Start;
    pad_.Set(state);
    Frame();
    EXPECT_EQ(GetPadInput(0)->buttons.pressed, pad_bit::Start);

    // Focus lost: the pad is left alone until the window is active again.
    PushType(WindowEventType::Deactivated);
    pad_.Set(platform::input::StandardPadState{});
    Frame();
    EXPECT_EQ(GetPadInput(0)->buttons.held, pad_bit::Start);
    PushType(WindowEventType::Activated);
    Frame();
    EXPECT_EQ(GetPadInput(0)->buttons.released, pad_bit::Start);
}

}  // namespace
}  // namespace vesk::input::test
