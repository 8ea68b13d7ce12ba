// The window procedure: window events turned into cursor, capture and input-hook calls.
#include "framework/window/window_proc.h"

#include <algorithm>

#include "framework/process/canvas.h"
#include "framework/process/quitting.h"
#include "framework/thread/thread.h"
#include "framework/window/main_window.h"

namespace vesk::window {

namespace {

WindowInputState g_state;
InputHooks g_hooks;

// The game draws its own pointer: the system cursor is hidden while the pointer is in
// the client area and shown again once it leaves it to the left or top.
void UpdateSystemCursor()
{
    int x = 0;
    int y = 0;
    if (!platform::GetCursorClientPosition(x, y)) return;
    MainWindowRecord& record = GetMainWindowRecord();
    if (record.systemCursorShown && x >= 0 && y >= 0) {
        record.systemCursorShown = false;
        platform::ShowSystemCursor(false);
    } else if (!record.systemCursorShown && (x < 0 || y < 0)) {
        record.systemCursorShown = true;
        platform::ShowSystemCursor(true);
    }
}

int32_t ClampToClient(int32_t value, int32_t limit)
{
    if (value <= 0) return 0;
    return std::min(value, limit);
}

int32_t ToCanvas(int32_t raw, float clientSize, float canvasSize)
{
    if (clientSize <= 0.0f) return 0;
    return static_cast<int32_t>(static_cast<float>(raw) / clientSize * canvasSize);
}

void OnMouseMove(int32_t x, int32_t y)
{
    const process::CanvasView& view = process::GetCanvasView(0);
    g_state.rawCursorX = ClampToClient(x, static_cast<int32_t>(view.clientWidth));
    g_state.rawCursorY = ClampToClient(y, static_cast<int32_t>(view.clientHeight));
    g_state.canvasCursorX = ToCanvas(g_state.rawCursorX, view.clientWidth, view.canvasWidth);
    g_state.canvasCursorY = ToCanvas(g_state.rawCursorY, view.clientHeight, view.canvasHeight);
}

uint32_t CaptureBit(platform::MouseButton button)
{
    switch (button) {
    case platform::MouseButton::Middle: return kCaptureMiddle;
    case platform::MouseButton::Right: return kCaptureRight;
    case platform::MouseButton::Left: break;
    }
    return kCaptureLeft;
}

void OnButton(const platform::WindowEvent& event, bool down)
{
    if (g_hooks.mouseButton) g_hooks.mouseButton(event.button, event.x, event.y, down);
    platform::CaptureMouse(down);
    const uint32_t bit = CaptureBit(event.button);
    if (down) {
        g_state.captureBits |= bit;
        g_state.pressedBits |= bit;
    } else {
        g_state.captureBits &= ~bit;
    }
}

void OnClose()
{
    process::SetQuitting();
    // A save in flight finishes before the program quits; loaders see the flag and stop.
    thread::WaitForLastThread();
    platform::PostQuit(0);
}

}  // namespace

WindowInputState& GetWindowInputState()
{
    return g_state;
}

void MovePointerTo(int32_t canvasX, int32_t canvasY)
{
    const process::CanvasView& view = process::GetCanvasView(0);
    if (view.canvasWidth <= 0.0f || view.canvasHeight <= 0.0f) return;
    const float windowX = static_cast<float>(canvasX) + view.originX;
    const float windowY = static_cast<float>(canvasY) + view.originY;
    g_state.rawCursorX = ClampToClient(static_cast<int32_t>(windowX / view.canvasWidth * view.clientWidth),
                                       static_cast<int32_t>(view.clientWidth));
    g_state.rawCursorY = ClampToClient(static_cast<int32_t>(windowY / view.canvasHeight * view.clientHeight),
                                       static_cast<int32_t>(view.clientHeight));
    // The canvas point is kept as asked, not as the round trip through whole pixels would leave it.
    g_state.canvasCursorX = static_cast<int32_t>(windowX);
    g_state.canvasCursorY = static_cast<int32_t>(windowY);
    platform::WarpCursor(g_state.rawCursorX, g_state.rawCursorY);
}

void SetInputHooks(const InputHooks& hooks)
{
    g_hooks = hooks;
}

void WindowProc(const platform::WindowEvent& event)
{
    UpdateSystemCursor();

    switch (event.type) {
    case platform::WindowEventType::Close:
        OnClose();
        break;
    case platform::WindowEventType::Activated:
        OnWindowActivated();
        g_state.active = true;
        break;
    case platform::WindowEventType::Deactivated:
        g_state.active = false;
        break;
    case platform::WindowEventType::Resized:
        // The cursor arrives in pixels of the client area as it is now, even when the window
        // manager, not the game, chose its size: the mapping to the canvas follows it.
        if (event.x > 0 && event.y > 0) process::SetCanvasClientSize(event.x, event.y);
        break;
    case platform::WindowEventType::MouseMove:
        OnMouseMove(event.x, event.y);
        break;
    case platform::WindowEventType::ButtonDown:
        OnButton(event, true);
        break;
    case platform::WindowEventType::ButtonUp:
        OnButton(event, false);
        break;
    case platform::WindowEventType::Wheel:
        g_state.wheelSteps = event.wheelDelta / 120;  // whole notches, toward zero
        break;
    case platform::WindowEventType::DeviceChange:
        if (g_hooks.deviceChange) g_hooks.deviceChange();
        break;
    case platform::WindowEventType::KeyDown:
    case platform::WindowEventType::KeyUp:
        if (g_hooks.key) g_hooks.key(event.keyCode, event.type == platform::WindowEventType::KeyDown);
        break;
    case platform::WindowEventType::Quit:
    case platform::WindowEventType::None:
        break;
    }
}

}  // namespace vesk::window
