// The window's mouse, key and device messages hooked to the input manager, and client to canvas coordinates.
#include "framework/input/window_link.h"

#include "framework/input/input_manager.h"
#include "framework/process/canvas.h"
#include "framework/window/window_proc.h"
#include "platform/input/keyboard.h"

namespace vesk::input {

namespace {

MouseButton FromWindowButton(platform::MouseButton button)
{
    switch (button) {
    case platform::MouseButton::Middle: return MouseButton::Middle;
    case platform::MouseButton::Right: return MouseButton::Right;
    case platform::MouseButton::Left: break;
    }
    return MouseButton::Left;
}

void OnWindowMouseButton(platform::MouseButton button, int32_t clientX, int32_t clientY, bool down)
{
    const process::CanvasView& view = process::GetCanvasView(0);
    OnMouseButton(FromWindowButton(button), ClientToCanvas(clientX, view.clientWidth, view.canvasWidth),
                  ClientToCanvas(clientY, view.clientHeight, view.canvasHeight), down);
}

void OnWindowKey(uint16_t scancode, bool down)
{
    OnKeyEvent(platform::input::KeyCodeFromScancode(scancode), down);
}

}  // namespace

void ConnectToWindow()
{
    window::InputHooks hooks;
    hooks.mouseButton = OnWindowMouseButton;
    hooks.deviceChange = OnDeviceChange;
    hooks.key = OnWindowKey;
    window::SetInputHooks(hooks);
}

void DisconnectFromWindow()
{
    window::SetInputHooks(window::InputHooks{});
}

int32_t ClientToCanvas(int32_t client, float clientSize, float canvasSize)
{
    if (clientSize <= 0.0f) {
        return 0;
    }
    return static_cast<int32_t>(static_cast<float>(client) / clientSize * canvasSize);
}

void UpdateInput()
{
    window::WindowInputState& state = window::GetWindowInputState();
    const process::CanvasView& view = process::GetCanvasView(0);
    WindowInputs inputs;
    inputs.active = state.active;
    // The same bit order as kMouse*. A click pressed and released within one frame (a touchpad
    // tap) reads as held for this frame and released the next.
    inputs.mouseButtons = state.captureBits | state.pressedBits;
    state.pressedBits = 0;
    inputs.cursorX = state.rawCursorX;
    inputs.cursorY = state.rawCursorY;
    inputs.canvasX = state.canvasCursorX;
    inputs.canvasY = state.canvasCursorY;
    inputs.wheelSteps = state.wheelSteps;
    inputs.originX = view.originX;
    inputs.originY = view.originY;
    state.wheelSteps = 0;
    UpdateInput(inputs);
}

}  // namespace vesk::input
