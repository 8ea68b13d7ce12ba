// Mouse buttons, cursor and wheel, and the touch point and taps that the mouse drives.
#include <gtest/gtest.h>

#include "tests/framework/input/input_fixture.h"

namespace vesk::input::test {
namespace {

// The mouse as the window reports it, and pad 0's touch point that follows it.
class MouseTouchTest : public InputTest {
protected:
    void MoveTo(int32_t canvasX, int32_t canvasY)
    {
        window_.canvasX = canvasX;
        window_.canvasY = canvasY;
        window_.cursorX = canvasX * 2;
        window_.cursorY = canvasY * 2;
    }

    void Press(int32_t canvasX, int32_t canvasY)
    {
        MoveTo(canvasX, canvasY);
        OnMouseButton(MouseButton::Left, canvasX, canvasY, true);
        window_.mouseButtons |= kMouseLeft;
    }

    void Release()
    {
        OnMouseButton(MouseButton::Left, window_.canvasX, window_.canvasY, false);
        window_.mouseButtons &= ~kMouseLeft;
    }

    const TouchPoint& Touch() { return GetPadInput(0)->touch; }
};

TEST_F(MouseTouchTest, MouseButtonsCountOnlyOnTheFrameTheyGoDown)
{
    window_.mouseButtons = kMouseRight;
    Frame();
    for (int mode = 0; mode <= 3; ++mode) {
        EXPECT_NE(GetButton(mode, kButtonMouseRight), 0);
    }
    EXPECT_EQ(GetButton(0, kButtonMouseLeft), 0);
    EXPECT_EQ(GetButton(0, kButtonMouseMiddle), 0);
    Frame();
    EXPECT_EQ(GetButton(0, kButtonMouseRight), 0);

    window_.mouseButtons = kMouseMiddle;
    Frame();
    EXPECT_NE(GetButton(2, kButtonMouseMiddle), 0);
}

TEST_F(MouseTouchTest, SnapshotCopiesCursorAndWheel)
{
    MoveTo(100, 50);
    window_.wheelSteps = -2;
    Frame();
    const MouseInput* mouse = GetMouseInput();
    ASSERT_NE(mouse, nullptr);
    EXPECT_EQ(mouse->canvasX, 100);
    EXPECT_EQ(mouse->cursorY, 100);
    EXPECT_EQ(mouse->wheelSteps, -2);
}

TEST_F(MouseTouchTest, TouchPointFollowsTheLeftButton)
{
    window_.originX = 10.0f;
    MoveTo(90, 40);
    Frame();
    EXPECT_EQ(Touch().state, kTouchIdle);

    Press(100, 50);
    Frame();
    EXPECT_EQ(Touch().state, kTouchPressed);
    EXPECT_EQ(Touch().startX, 90);  // relative to the letterbox origin
    EXPECT_EQ(Touch().x, 90);
    EXPECT_EQ(Touch().y, 50);
    EXPECT_EQ(Touch().frames, 1);

    MoveTo(103, 46);
    Frame();
    EXPECT_EQ(Touch().state, kTouchHeld);
    EXPECT_EQ(Touch().moveX, 3);
    EXPECT_EQ(Touch().moveY, -4);
    EXPECT_EQ(Touch().gesture, Gesture::Drag);
    EXPECT_EQ(Touch().frames, 2);

    Frame();
    EXPECT_EQ(Touch().gesture, Gesture::None);  // held without moving

    Release();
    Frame();
    EXPECT_EQ(Touch().state, kTouchReleased);
    Frame();
    EXPECT_EQ(Touch().state, kTouchIdle);
}

TEST_F(MouseTouchTest, ShortStillClickIsATap)
{
    Press(200, 100);
    Frame();
    MoveTo(203, 104);  // 5 units away
    Frame();
    Release();
    Frame();
    EXPECT_EQ(Touch().gesture, Gesture::Tap);
    EXPECT_NE(Touch().flags & kTouchWithinTapLimits, 0u);
    EXPECT_EQ(Touch().flags & kTouchHeldFlag, 0u);
}

TEST_F(MouseTouchTest, LongDragAlongOneAxisIsNoTap)
{
    Press(200, 100);
    Frame();
    MoveTo(300, 100);
    Frame();
    Release();
    Frame();
    EXPECT_NE(Touch().gesture, Gesture::Tap);
    EXPECT_EQ(Touch().flags & kTouchWithinTapLimits, 0u);
}

TEST_F(MouseTouchTest, SlowClickIsNoTap)
{
    Press(200, 100);
    for (int frame = 0; frame < 15; ++frame) {
        Frame();
    }
    Release();
    Frame();  // frame 16 since the press
    EXPECT_EQ(Touch().gesture, Gesture::None);
}

TEST_F(MouseTouchTest, HitObjectsAreCollectedByStateUntilHandled)
{
    TouchList found;
    Frame();
    EXPECT_EQ(CollectHitObjects(kTouchPressed, found), 0);
    EXPECT_EQ(CollectHitObjects(kTouchIdle, found), 1);

    found.clear();
    Press(10, 10);
    Frame();
    EXPECT_EQ(CollectHitObjects(kTouchPressed | kTouchHeld, found), 1);
    found[0]->handled = 1;
    TouchList again;
    EXPECT_EQ(CollectHitObjects(kTouchPressed, again), 0);

    // The pad read clears the handled byte each frame.
    Frame();
    EXPECT_EQ(CollectHitObjects(kTouchHeld, again), 1);
}

TEST_F(MouseTouchTest, WithoutTheOptionTheMouseLeavesTheTouchPointAlone)
{
    SetInputOptions(0);
    Press(10, 10);
    Frame();
    EXPECT_EQ(Touch().state, kTouchNone);
    TouchList found;
    EXPECT_EQ(CollectHitObjects(0xFFFFFFFF, found), 0);
}

}  // namespace
}  // namespace vesk::input::test
