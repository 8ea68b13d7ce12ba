// Game pads on SDL's game-controller and joystick interfaces: the device scan and the reads.
#include <algorithm>
#include <cstring>
#include <utility>

#include <SDL.h>

#include "platform/input/pad_device.h"
#include "platform/input/pad_layout_sdl.h"

namespace platform::input {

namespace {

// Pads are polled once per frame; their motion events would only flood the
// window's queue. Device arrival and removal stay on, they trigger a re-scan.
constexpr Uint32 kPolledEvents[] = {
    SDL_JOYAXISMOTION, SDL_JOYBALLMOTION, SDL_JOYHATMOTION, SDL_JOYBUTTONDOWN, SDL_JOYBUTTONUP,
    SDL_CONTROLLERAXISMOTION, SDL_CONTROLLERBUTTONDOWN, SDL_CONTROLLERBUTTONUP,
    SDL_CONTROLLERTOUCHPADDOWN, SDL_CONTROLLERTOUCHPADMOTION, SDL_CONTROLLERTOUCHPADUP,
    SDL_CONTROLLERSENSORUPDATE,
};

// Triggers come as 0..32767.
uint8_t TriggerByte(Sint16 value)
{
    const int clamped = std::clamp<int>(value, 0, 32767);
    return static_cast<uint8_t>((clamped * 255 + 16383) / 32767);  // rounded, so full travel reads 255
}

// Sticks come with y positive downward; the standard state has it upward.
int16_t FlipAxis(Sint16 value)
{
    return static_cast<int16_t>(std::min(-static_cast<int>(value), 32767));
}

int32_t UnsignedAxis(SDL_Joystick* joystick, int axis)
{
    if (axis >= SDL_JoystickNumAxes(joystick)) {
        return 32768;
    }
    return static_cast<int32_t>(SDL_JoystickGetAxis(joystick, axis)) + 32768;
}

uint32_t HatAngle(Uint8 hat)
{
    switch (hat) {
    case SDL_HAT_UP: return 0;
    case SDL_HAT_RIGHTUP: return 4500;
    case SDL_HAT_RIGHT: return 9000;
    case SDL_HAT_RIGHTDOWN: return 13500;
    case SDL_HAT_DOWN: return 18000;
    case SDL_HAT_LEFTDOWN: return 22500;
    case SDL_HAT_LEFT: return 27000;
    case SDL_HAT_LEFTUP: return 31500;
    default: return kHatCentred;
    }
}

}  // namespace

std::span<const StandardButtonBit> StandardButtonBits()
{
    static constexpr StandardButtonBit kButtons[] = {
        {SDL_CONTROLLER_BUTTON_DPAD_UP, pad_button::DpadUp},
        {SDL_CONTROLLER_BUTTON_DPAD_DOWN, pad_button::DpadDown},
        {SDL_CONTROLLER_BUTTON_DPAD_LEFT, pad_button::DpadLeft},
        {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, pad_button::DpadRight},
        {SDL_CONTROLLER_BUTTON_START, pad_button::Start},
        {SDL_CONTROLLER_BUTTON_BACK, pad_button::Back},
        {SDL_CONTROLLER_BUTTON_LEFTSTICK, pad_button::LeftThumb},
        {SDL_CONTROLLER_BUTTON_RIGHTSTICK, pad_button::RightThumb},
        {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, pad_button::LeftShoulder},
        {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, pad_button::RightShoulder},
        {SDL_CONTROLLER_BUTTON_A, pad_button::A},
        {SDL_CONTROLLER_BUTTON_B, pad_button::B},
        {SDL_CONTROLLER_BUTTON_X, pad_button::X},
        {SDL_CONTROLLER_BUTTON_Y, pad_button::Y},
    };
    return kButtons;
}

int DeviceIndexOf(int32_t instanceId)
{
    const int count = SDL_NumJoysticks();
    for (int index = 0; index < count; ++index) {
        if (SDL_JoystickGetDeviceInstanceID(index) == instanceId) {
            return index;
        }
    }
    return -1;
}

bool InitPadDevices()
{
    // Whether pads count while another window has the focus is the input
    // manager's decision; SDL would otherwise blank them behind its back.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        return false;
    }
    for (Uint32 type : kPolledEvents) {
        SDL_EventState(type, SDL_IGNORE);
    }
    return true;
}

void ShutdownPadDevices()
{
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

void UpdatePadDevices()
{
    if (SDL_WasInit(SDL_INIT_JOYSTICK) != 0) {
        SDL_JoystickUpdate();
    }
}

std::vector<PadDeviceInfo> ListPadDevices()
{
    std::vector<PadDeviceInfo> devices;
    if (SDL_WasInit(SDL_INIT_JOYSTICK) == 0) {
        return devices;
    }
    const int count = SDL_NumJoysticks();
    for (int index = 0; index < count; ++index) {
        PadDeviceInfo info;
        info.instanceId = SDL_JoystickGetDeviceInstanceID(index);
        if (info.instanceId < 0) {
            continue;
        }
        info.kind = SDL_IsGameController(index) ? PadKind::Standard : PadKind::Generic;
        info.vendorId = SDL_JoystickGetDeviceVendor(index);
        info.productId = SDL_JoystickGetDeviceProduct(index);
        const SDL_JoystickGUID guid = SDL_JoystickGetDeviceGUID(index);
        std::memcpy(info.modelId.data(), guid.data, info.modelId.size());
        devices.push_back(info);
    }
    return devices;
}

PadDevice::~PadDevice() { Close(); }

PadDevice::PadDevice(PadDevice&& other) noexcept
    : handle_(std::exchange(other.handle_, nullptr)), kind_(other.kind_),
      instanceId_(std::exchange(other.instanceId_, -1))
{
}

PadDevice& PadDevice::operator=(PadDevice&& other) noexcept
{
    if (this != &other) {
        Close();
        handle_ = std::exchange(other.handle_, nullptr);
        kind_ = other.kind_;
        instanceId_ = std::exchange(other.instanceId_, -1);
    }
    return *this;
}

bool PadDevice::Open(int32_t instanceId, PadKind kind)
{
    Close();
    const int index = DeviceIndexOf(instanceId);
    if (index < 0) {
        return false;
    }
    if (kind == PadKind::Standard) {
        handle_ = SDL_GameControllerOpen(index);
    } else {
        handle_ = SDL_JoystickOpen(index);
    }
    if (handle_ == nullptr) {
        return false;
    }
    kind_ = kind;
    instanceId_ = instanceId;
    return true;
}

void PadDevice::Close()
{
    if (handle_ == nullptr) {
        return;
    }
    if (kind_ == PadKind::Standard) {
        SDL_GameControllerClose(static_cast<SDL_GameController*>(handle_));
    } else {
        SDL_JoystickClose(static_cast<SDL_Joystick*>(handle_));
    }
    handle_ = nullptr;
    instanceId_ = -1;
}

bool PadDevice::Read(StandardPadState& state) const
{
    auto* pad = static_cast<SDL_GameController*>(handle_);
    if (pad == nullptr || kind_ != PadKind::Standard || !SDL_GameControllerGetAttached(pad)) {
        return false;
    }
    state = StandardPadState{};
    for (const StandardButtonBit& entry : StandardButtonBits()) {
        if (SDL_GameControllerGetButton(pad, static_cast<SDL_GameControllerButton>(entry.backendButton)) != 0) {
            state.buttons |= entry.bit;
        }
    }
    state.leftTrigger = TriggerByte(SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERLEFT));
    state.rightTrigger = TriggerByte(SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_TRIGGERRIGHT));
    state.leftX = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTX);
    state.leftY = FlipAxis(SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_LEFTY));
    state.rightX = SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_RIGHTX);
    state.rightY = FlipAxis(SDL_GameControllerGetAxis(pad, SDL_CONTROLLER_AXIS_RIGHTY));
    return true;
}

bool PadDevice::Read(GenericPadState& state) const
{
    auto* joystick = static_cast<SDL_Joystick*>(handle_);
    if (joystick == nullptr || kind_ != PadKind::Generic || !SDL_JoystickGetAttached(joystick)) {
        return false;
    }
    state = GenericPadState{};
    // Axes in the order the system lists them: x, y, then the right stick's two.
    state.x = UnsignedAxis(joystick, 0);
    state.y = UnsignedAxis(joystick, 1);
    state.z = UnsignedAxis(joystick, 2);
    state.rz = UnsignedAxis(joystick, 3);
    if (SDL_JoystickNumHats(joystick) > 0) {
        state.hat = HatAngle(SDL_JoystickGetHat(joystick, 0));
    }
    const int buttons = std::min(SDL_JoystickNumButtons(joystick), kGenericPadButtons);
    for (int button = 0; button < buttons; ++button) {
        state.buttons[button] = SDL_JoystickGetButton(joystick, button) != 0 ? 0x80 : 0;
    }
    return true;
}

}  // namespace platform::input
