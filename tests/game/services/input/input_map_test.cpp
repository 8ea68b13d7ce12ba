// The input map: actions from keys and pads, cursor slots, key capture, device tracking, pointers and remapping.
#include <gtest/gtest.h>

#include "framework/input/input_manager.h"
#include "game/services/input/input_map.h"
#include "game/services/input/input_map_links.h"
#include "game/model/world/game_world_ready.h"
#include "platform/input/key_codes.h"
#include "platform/input/keyboard.h"
#include "platform/input/virtual_pad.h"

namespace {

namespace key = platform::input::key;
namespace pad_button = platform::input::pad_button;
using vesk::input::WindowInputs;
using vesk::math::Vec2;

class InputMapTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        platform::input::ResetKeyboard();
        vesk::input::SetInputOptions(vesk::input::kDefaultInputOptions);
        vesk::input::CreateInput();
        SetGameWorldReady(true);
        map_ = GetInputMap();
        ASSERT_NE(map_, nullptr);
    }

    void TearDown() override
    {
        pad_.Detach();
        DestroyInputMap();
        SetGameWorldReady(false);
        SetPadLayoutOption(false);
        SetStickSwapOption(false);
        SetShipTravelState(0);
        vesk::input::ReleaseInput();
        platform::input::ResetKeyboard();
    }

    void Frame()
    {
        UpdateInputMap(window_);
        window_.wheelSteps = 0;
    }

    void PlugPad()
    {
        ASSERT_TRUE(pad_.Attach(platform::input::PadKind::Standard));
        vesk::input::OnDeviceChange();
    }

    void SetPad(std::uint16_t buttons, std::int16_t leftY = 0)
    {
        platform::input::StandardPadState state;
        state.buttons = buttons;
        state.leftY = leftY;
        pad_.Set(state);
    }

    void MouseLeft(bool down, std::int32_t x = 0, std::int32_t y = 0)
    {
        window_.canvasX = x;
        window_.canvasY = y;
        vesk::input::OnMouseButton(vesk::input::MouseButton::Left, x, y, down);
        window_.mouseButtons = down ? vesk::input::kMouseLeft : 0;
    }

    GAME_CInputMap* map_ = nullptr;
    WindowInputs window_;
    platform::input::VirtualPad pad_;
};

TEST_F(InputMapTest, DefaultsLeaveTheDocumentedGapsAndCursorSlotsFollowTheirActions)
{
    EXPECT_EQ(map_->GetPadBinding(kActionMenuTabChange), 0u);
    for (int action : {11, 12, 14, 26, 27}) {
        EXPECT_EQ(map_->GetKeyBinding(action), kNoKey) << action;
    }
    EXPECT_EQ(map_->GetPadBinding(kActionDecide), 0x200u);
    EXPECT_EQ(map_->GetKeyBinding(kActionDecide), 44);
    // Outside the table nothing is bound and nothing can be set.
    EXPECT_EQ(map_->GetKeyBinding(28), kNoKey);
    EXPECT_FALSE(map_->SetKeyBinding(-1, 5));
    EXPECT_FALSE(map_->IsActionHeld(28));
    EXPECT_FALSE(map_->IsActionInMode(0, 4));

    // W is CURSOR_UP: held, newly pressed once, and cursor slot 0 in every mode it passes.
    vesk::input::OnKeyEvent(key::W, true);
    Frame();
    EXPECT_TRUE(map_->IsActionHeld(kActionCursorUp));
    EXPECT_TRUE(map_->IsActionTriggered(kActionCursorUp));
    EXPECT_TRUE(map_->IsActionInMode(GAME_CInputMap::kModePressed, 0));
    EXPECT_FALSE(map_->IsActionInMode(GAME_CInputMap::kModePressed, 1));
    EXPECT_FALSE(map_->IsSlotHeldOnPad(0));
    Frame();
    EXPECT_TRUE(map_->IsActionInMode(GAME_CInputMap::kModeHeld, 0));
    EXPECT_FALSE(map_->IsActionTriggered(kActionCursorUp));

    // A rebound action follows its new key at once; the old one no longer counts.
    vesk::input::OnKeyEvent(key::W, false);
    ASSERT_TRUE(map_->SetKeyBinding(kActionCursorUp, 59));  // Z
    EXPECT_FALSE(map_->SetKeyBinding(kActionCursorUp, 111));
    Frame();
    vesk::input::OnKeyEvent(key::W, true);
    Frame();
    EXPECT_FALSE(map_->IsActionHeld(kActionCursorUp));
    vesk::input::OnKeyEvent(key::Z, true);
    Frame();
    EXPECT_TRUE(map_->IsActionInMode(GAME_CInputMap::kModePressed, 0));
}

TEST_F(InputMapTest, PadButtonsAndTheLeftStickDriveActionsAndSlots)
{
    PlugPad();
    SetPad(pad_button::A);  // pad bit 0x200, BUTTON_2: DECIDE
    Frame();
    EXPECT_TRUE(map_->IsActionTriggered(kActionDecide));
    EXPECT_TRUE(map_->IsActionHeldOnPad(kActionDecide));
    EXPECT_EQ(FindPressedPadButton(), 0x200u);
    Frame();
    EXPECT_FALSE(map_->IsActionTriggered(kActionDecide));
    EXPECT_TRUE(map_->IsActionHeld(kActionDecide));
    EXPECT_EQ(FindPressedPadButton(), 0u);

    // The left stick pushed down is cursor slot 1 on the pad without any binding.
    SetPad(0, -32767);
    Frame();
    EXPECT_TRUE(map_->IsSlotTriggeredOnPad(1));
    EXPECT_TRUE(map_->IsActionInMode(GAME_CInputMap::kModeHeld, 1));
    EXPECT_FALSE(map_->IsActionHeld(kActionCursorDown));
    EXPECT_GT(map_->GetStickPosition(0).y, 0.9f);

    // The zoom tests read the right stick, or the left one with the sticks swapped.
    EXPECT_FALSE(map_->IsZoomOutHeld());
    SetStickSwapOption(true);
    EXPECT_TRUE(map_->IsZoomOutHeld());
    EXPECT_FALSE(map_->IsZoomInHeld());
}

TEST_F(InputMapTest, KeyCaptureSkipsTheLeftMouseButton)
{
    MouseLeft(true, 10, 10);
    Frame();
    EXPECT_EQ(FindPressedKey(), kNoKey);
    MouseLeft(false);
    window_.mouseButtons = vesk::input::kMouseRight;
    Frame();
    EXPECT_EQ(FindPressedKey(), 114);
    window_.mouseButtons = 0;
    vesk::input::OnKeyEvent(key::Escape, true);
    vesk::input::OnKeyEvent(key::Q, true);
    Frame();
    EXPECT_EQ(FindPressedKey(), 0);  // the lowest code wins
}

TEST_F(InputMapTest, LastDeviceFollowsKeysWheelAndPadButtonsButNotSticks)
{
    PlugPad();
    Frame();
    EXPECT_FALSE(map_->IsKeyboardInUse());

    window_.wheelSteps = 1;
    Frame();
    EXPECT_TRUE(map_->IsKeyboardInUse());

    SetPad(0, 32767);  // the stick alone does not switch back
    Frame();
    EXPECT_TRUE(map_->IsKeyboardInUse());

    SetPad(pad_button::B);
    Frame();
    EXPECT_FALSE(map_->IsKeyboardInUse());

    vesk::input::OnKeyEvent(key::D, true);
    Frame();
    EXPECT_TRUE(map_->IsKeyboardInUse());

    // While the world is being made no device is tracked.
    SetGameWorldReady(false);
    SetPad(pad_button::Y);
    Frame();
    EXPECT_TRUE(map_->IsKeyboardInUse());
}

TEST_F(InputMapTest, PointerTestsFollowTheMouseAndIgnoreItWhileTheShipMoves)
{
    EXPECT_EQ(map_->GetFirstPointerPosition(), (Vec2{-100.0f, -100.0f}));
    MouseLeft(true, 50, 40);
    Frame();
    EXPECT_TRUE(map_->IsPointerInRect({50, 40}, {60, 60}));
    EXPECT_FALSE(map_->IsPointerInRect({51, 40}, {60, 60}));
    EXPECT_EQ(map_->GetFirstPointerPosition(), (Vec2{50.0f, 40.0f}));
    SetShipTravelState(1);
    EXPECT_FALSE(map_->IsPointerInRect({0, 0}, {640, 360}));
    SetShipTravelState(2);

    // Held: no longer a press, but any pointer in the rectangle; a drag counts
    // only after it has been held a while.
    window_.canvasX = 55;
    Frame();
    EXPECT_FALSE(map_->IsPointerInRect({0, 0}, {640, 360}));
    EXPECT_TRUE(map_->IsAnyPointerInRect({0, 0}, {640, 360}));
    EXPECT_EQ(map_->GetDragPosition(), (Vec2{}));
    for (int frame = 0; frame < GAME_CInputMap::kDragFrames; ++frame) {
        Frame();
    }
    window_.canvasX = 58;
    Frame();
    EXPECT_EQ(map_->GetDragPosition(), (Vec2{3.0f, 0.0f}));
    SetShipTravelState(3);
    EXPECT_FALSE(map_->IsAnyPointerInRect({0, 0}, {640, 360}));
}

TEST_F(InputMapTest, PadLayoutOptionSwapsDirectionsWithFaceButtons)
{
    EXPECT_EQ(map_->RemapPadButtons(0x10 | 0x1), 0x11u);
    SetPadLayoutOption(true);
    EXPECT_EQ(map_->RemapPadButtons(0x10), 0x800u);
    EXPECT_EQ(map_->RemapPadButtons(0x1), 0x1u);
    EXPECT_EQ(map_->RemapPadButtons(0x40 | 0x200 | 0x10000), 0x400u | 0x20u | 0x10000u);
}

}  // namespace
