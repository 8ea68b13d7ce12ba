// Virtual pads on SDL's virtual joysticks.
#include <algorithm>

#include <SDL.h>

#include "platform/input/pad_layout_sdl.h"
#include "platform/input/virtual_pad.h"

namespace platform::input {

namespace {

constexpr int kGenericAxes = 4;
constexpr int kGenericButtons = 12;

SDL_Joystick* AsJoystick(void* handle) { return static_cast<SDL_Joystick*>(handle); }

Sint16 ClampAxis(int value) { return static_cast<Sint16>(std::clamp(value, -32768, 32767)); }

// A virtual trigger spans the whole axis range; its reading is half of it.
Sint16 TriggerAxis(uint8_t value)
{
    const int reading = (value * 32767 + 254) / 255;
    return ClampAxis(reading * 2 - 32768);
}

Uint8 HatBits(uint32_t angle)
{
    switch (angle) {
    case 0: return SDL_HAT_UP;
    case 4500: return SDL_HAT_RIGHTUP;
    case 9000: return SDL_HAT_RIGHT;
    case 13500: return SDL_HAT_RIGHTDOWN;
    case 18000: return SDL_HAT_DOWN;
    case 22500: return SDL_HAT_LEFTDOWN;
    case 27000: return SDL_HAT_LEFT;
    case 31500: return SDL_HAT_LEFTUP;
    default: return SDL_HAT_CENTERED;
    }
}

}  // namespace

VirtualPad::~VirtualPad() { Detach(); }

bool VirtualPad::Attach(PadKind kind, uint16_t vendorId, uint16_t productId)
{
    Detach();
    SDL_VirtualJoystickDesc desc;
    SDL_zero(desc);
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.vendor_id = vendorId;
    desc.product_id = productId;
    if (kind == PadKind::Standard) {
        desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        desc.naxes = SDL_CONTROLLER_AXIS_MAX;
        desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        desc.name = "virtual standard pad";
    } else {
        desc.type = SDL_JOYSTICK_TYPE_UNKNOWN;
        desc.naxes = kGenericAxes;
        desc.nbuttons = kGenericButtons;
        desc.nhats = 1;
        desc.name = "virtual generic pad";
    }
    const int index = SDL_JoystickAttachVirtualEx(&desc);
    if (index < 0) {
        return false;
    }
    SDL_Joystick* joystick = SDL_JoystickOpen(index);
    if (joystick == nullptr) {
        SDL_JoystickDetachVirtual(index);
        return false;
    }
    handle_ = joystick;
    kind_ = kind;
    instanceId_ = SDL_JoystickInstanceID(joystick);
    if (kind == PadKind::Standard) {
        // Triggers rest at the bottom of their range.
        SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_TRIGGERLEFT, -32768);
        SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, -32768);
    }
    return true;
}

void VirtualPad::Detach()
{
    if (handle_ == nullptr) {
        return;
    }
    if (const int index = DeviceIndexOf(instanceId_); index >= 0) {
        SDL_JoystickDetachVirtual(index);
    }
    SDL_JoystickClose(AsJoystick(handle_));
    handle_ = nullptr;
    instanceId_ = -1;
}

void VirtualPad::Set(const StandardPadState& state)
{
    if (handle_ == nullptr || kind_ != PadKind::Standard) {
        return;
    }
    SDL_Joystick* joystick = AsJoystick(handle_);
    // The virtual pad's buttons and axes are numbered in the standard layout's order.
    for (const StandardButtonBit& entry : StandardButtonBits()) {
        SDL_JoystickSetVirtualButton(joystick, entry.backendButton, (state.buttons & entry.bit) != 0 ? 1 : 0);
    }
    SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_LEFTX, state.leftX);
    SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_LEFTY, ClampAxis(-state.leftY));
    SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_RIGHTX, state.rightX);
    SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_RIGHTY, ClampAxis(-state.rightY));
    SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_TRIGGERLEFT, TriggerAxis(state.leftTrigger));
    SDL_JoystickSetVirtualAxis(joystick, SDL_CONTROLLER_AXIS_TRIGGERRIGHT, TriggerAxis(state.rightTrigger));
}

void VirtualPad::Set(const GenericPadState& state)
{
    if (handle_ == nullptr || kind_ != PadKind::Generic) {
        return;
    }
    SDL_Joystick* joystick = AsJoystick(handle_);
    const int32_t axes[kGenericAxes] = {state.x, state.y, state.z, state.rz};
    for (int axis = 0; axis < kGenericAxes; ++axis) {
        SDL_JoystickSetVirtualAxis(joystick, axis, ClampAxis(axes[axis] - 32768));
    }
    SDL_JoystickSetVirtualHat(joystick, 0, HatBits(state.hat));
    for (int button = 0; button < kGenericButtons; ++button) {
        SDL_JoystickSetVirtualButton(joystick, button, (state.buttons[button] & 0x80) != 0 ? 1 : 0);
    }
}

}  // namespace platform::input
