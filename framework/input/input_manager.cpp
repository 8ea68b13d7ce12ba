// The input manager: its records and devices, the per-frame update of keyboard, mouse and pads, and its queries.
#include "framework/input/input_manager.h"

#include <memory>

#include "framework/log/log.h"
#include "framework/input/window_link.h"
#include "framework/memory/heaps.h"
#include "platform/input/key_codes.h"
#include "platform/input/keyboard.h"

namespace vesk::input {

namespace key = platform::input::key;

namespace {

// Keyboard keys that stand in for pad buttons on the keyboard's pad slot.
constexpr uint32_t kKeyboardPadStart = 0x1;   // Escape
constexpr uint32_t kKeyboardPadSelect = 0x2;  // End

struct InputSystem : memory::MainHeapObject {
    KeyboardInput keyboard;
    MouseInput mouse;
    std::array<PadInput, kPadSlotCount> pads;
    PadSlots slots;
    bool padDevicesStarted = false;
};

std::unique_ptr<InputSystem> g_input;
uint32_t g_options = kDefaultInputOptions;
bool g_independentGenericSticks = false;
// The game reads the first pad slot only: the keyboard stays on it, or its Escape (START) would reach
// nothing, and a pad-binding capture without a pad could not be left.
constexpr int kKeyboardPadIndex = 0;

void UpdateKeyboard(InputSystem& input)
{
    platform::input::KeyboardState state;
    platform::input::ReadKeyboard(state);
    input.keyboard.UpdateCommands(state);
    input.keyboard.UpdateLogicalKeys();
}

void SnapshotMouse(MouseInput& mouse, const WindowInputs& window)
{
    mouse.previous = mouse.current;
    mouse.current = window.mouseButtons;
    mouse.cursorX = window.cursorX;
    mouse.cursorY = window.cursorY;
    mouse.canvasX = window.canvasX;
    mouse.canvasY = window.canvasY;
    mouse.wheelSteps = window.wheelSteps;
}

// The keyboard's share of its pad slot: two buttons, and the sticks from
// W/A/S/D and (with Control) the arrow keys.
void ApplyKeyboardToPad(const KeyboardInput& keyboard, PadInput& pad, bool deviceRead)
{
    const bool control = keyboard.IsKeyDown(key::LeftControl) || keyboard.IsKeyDown(key::RightControl);
    uint32_t bits = 0;
    if (!control) {
        if (keyboard.IsKeyDown(key::Escape)) bits |= kKeyboardPadStart;
        if (keyboard.IsKeyDown(key::End)) bits |= kKeyboardPadSelect;
    }
    pad.current = deviceRead ? pad.current | bits : bits;

    PadAxes& axes = pad.axes;
    if (axes.rightX == 0.0f && axes.rightY == 0.0f) {
        if (keyboard.IsKeyDown(key::A)) axes.rightX = -1.0f;
        if (keyboard.IsKeyDown(key::D)) axes.rightX = 1.0f;
        if (keyboard.IsKeyDown(key::W)) axes.rightY = -1.0f;
        if (keyboard.IsKeyDown(key::S)) axes.rightY = 1.0f;
    }
    if (axes.leftX == 0.0f && axes.leftY == 0.0f && control) {
        if (keyboard.IsKeyDown(key::Left)) axes.leftX = -1.0f;
        if (keyboard.IsKeyDown(key::Right)) axes.leftX = 1.0f;
        if (keyboard.IsKeyDown(key::Up)) axes.leftY = -1.0f;
        if (keyboard.IsKeyDown(key::Down)) axes.leftY = 1.0f;
    }
}

int16_t CanvasUnits(int32_t canvas, float origin)
{
    return static_cast<int16_t>(canvas - static_cast<int32_t>(origin));
}

// Pad 0's touch point follows the left mouse button.
void FollowMouse(TouchPoint& touch, const MouseInput& mouse, const WindowInputs& window)
{
    const int16_t lastX = touch.x;
    const int16_t lastY = touch.y;
    if (mouse.WentDown(kMouseLeft)) {
        touch = TouchPoint{};
        touch.state = kTouchPressed;
        // The press event's own position, in case the pointer has moved on since.
        touch.x = CanvasUnits(mouse.buttonCanvasX, window.originX);
        touch.y = CanvasUnits(mouse.buttonCanvasY, window.originY);
        touch.startX = touch.x;
        touch.startY = touch.y;
        touch.moveX = 0;
        touch.moveY = 0;
    } else {
        const bool held = (mouse.current & kMouseLeft) != 0;
        const bool wasHeld = (mouse.previous & kMouseLeft) != 0;
        touch.state = held ? kTouchHeld : (wasHeld ? kTouchReleased : kTouchIdle);
        touch.x = CanvasUnits(mouse.canvasX, window.originX);
        touch.y = CanvasUnits(mouse.canvasY, window.originY);
        touch.moveX = static_cast<int16_t>(touch.x - lastX);
        touch.moveY = static_cast<int16_t>(touch.y - lastY);
    }
    ++touch.frames;
}

void ReadPad(InputSystem& input, int slot, const WindowInputs& window)
{
    PadInput& pad = input.pads[slot];
    pad.previous = pad.current;
    pad.axes = PadAxes{};
    pad.touch.handled = 0;

    platform::input::StandardPadState standard;
    platform::input::GenericPadState generic;
    PadSlotKind kind = PadSlotKind::None;
    const bool read = input.slots.Read(slot, standard, generic, kind);
    // A pad that is gone holds nothing, or its last buttons would stay down.
    pad.current = 0;
    if (read) {
        const PadReading reading = kind == PadSlotKind::Standard
                                       ? ConvertStandardPad(standard)
                                       : ConvertGenericPad(generic, g_independentGenericSticks);
        pad.current = reading.bits;
        pad.axes = reading.axes;
    }
    if (slot == kKeyboardPadIndex) {
        ApplyKeyboardToPad(input.keyboard, pad, read);
    }
    if (slot == 0 && (g_options & kOptionMouseDrivesTouch) != 0) {
        FollowMouse(pad.touch, input.mouse, window);
    }
}

}  // namespace

void CreateInput()
{
    g_input.reset(new InputSystem());
    if (!g_input) {
        log::Error("no memory for the input records");
        return;
    }
    ConnectToWindow();
    g_input->padDevicesStarted = platform::input::InitPadDevices();
    if (!g_input->padDevicesStarted) {
        log::Warning("game pads are not available");
        return;
    }
    g_input->slots.Scan();
}

void ReleaseInput()
{
    if (!g_input) {
        return;
    }
    DisconnectFromWindow();
    const bool started = g_input->padDevicesStarted;
    g_input.reset();  // closes every pad device first
    if (started) {
        platform::input::ShutdownPadDevices();
    }
}

void UpdateInput(const WindowInputs& window)
{
    if (!g_input) {
        return;
    }
    InputSystem& input = *g_input;
    UpdateKeyboard(input);
    SnapshotMouse(input.mouse, window);
    if (input.padDevicesStarted) {
        platform::input::UpdatePadDevices();
    }
    const bool recognizeGestures = (g_options & kOptionGestureMask) != 0;
    for (int slot = 0; slot < kPadSlotCount; ++slot) {
        PadInput& pad = input.pads[slot];
        if (!window.active) {
            // Not read while another window has the focus. The pad keeps its
            // state, but a press is not reported again on every frame.
            pad.buttons.ClearEdges();
            continue;
        }
        ReadPad(input, slot, window);
        pad.UpdateLogical(recognizeGestures);
    }
}

int GetButton(int mode, int button)
{
    if (!g_input) {
        return 0;
    }
    if (button >= 0 && button < kLogicalKeyCount) {
        return g_input->keyboard.Query(mode, button);
    }
    switch (button) {
    case kButtonMouseLeft: return g_input->mouse.WentDown(kMouseLeft) ? 1 : 0;
    case kButtonMouseMiddle: return g_input->mouse.WentDown(kMouseMiddle) ? 1 : 0;
    case kButtonMouseRight: return g_input->mouse.WentDown(kMouseRight) ? 1 : 0;
    default: return 0;
    }
}

int CollectHitObjects(uint32_t stateMask, TouchList& out)
{
    if (g_input) {
        for (TouchPoint* point : g_input->pads[0].gestureList) {
            const bool matches = point->state == stateMask || (point->state & stateMask) != 0;
            if (matches && point->handled == 0) {
                out.push_back(point);
            }
        }
    }
    return static_cast<int>(out.size());
}

void OnDeviceChange()
{
    if (g_input && g_input->padDevicesStarted) {
        platform::input::UpdatePadDevices();
        g_input->slots.Scan();
    }
}

void OnKeyEvent(uint8_t keyCode, bool down)
{
    platform::input::SetKeyDown(keyCode, down);
}

void OnMouseButton(MouseButton button, int32_t canvasX, int32_t canvasY, bool down)
{
    if (!g_input) {
        return;
    }
    MouseInput& mouse = g_input->mouse;
    mouse.buttonDown[static_cast<size_t>(button)] = down;
    mouse.buttonCanvasX = canvasX;
    mouse.buttonCanvasY = canvasY;
}

void SetInputOptions(uint32_t options) { g_options = options; }

uint32_t GetInputOptions() { return g_options; }

void SetIndependentGenericSticks(bool independent) { g_independentGenericSticks = independent; }

const KeyboardInput* GetKeyboardInput() { return g_input ? &g_input->keyboard : nullptr; }

const MouseInput* GetMouseInput() { return g_input ? &g_input->mouse : nullptr; }

PadInput* GetPadInput(int slot)
{
    if (!g_input || slot < 0 || slot >= kPadSlotCount) {
        return nullptr;
    }
    return &g_input->pads[slot];
}

const PadSlot* GetPadSlot(int slot)
{
    if (!g_input || slot < 0 || slot >= kPadSlotCount) {
        return nullptr;
    }
    return &g_input->slots.Slot(slot);
}

int GetKeyboardPadIndex() { return kKeyboardPadIndex; }

}  // namespace vesk::input
