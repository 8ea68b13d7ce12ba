// Game pads: standard-layout pads and other game controllers, their scan and their per-frame reads.
// Two kinds are told apart, as the input manager expects: pads with the
// standard controller layout (read as a fixed set of buttons, two sticks and
// two triggers) and other game controllers (read as raw axes, a hat and
// numbered buttons).
#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace platform::input {

enum class PadKind : uint8_t { Standard, Generic };

// Identity of one attached device, as a device scan reports it.
struct PadDeviceInfo {
    int32_t instanceId = -1;  // unique for as long as the device stays attached
    PadKind kind = PadKind::Generic;
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    std::array<uint8_t, 16> modelId{};  // the same for the same model on the same bus
};

// Button bits of a standard pad.
namespace pad_button {
inline constexpr uint16_t DpadUp = 0x0001;
inline constexpr uint16_t DpadDown = 0x0002;
inline constexpr uint16_t DpadLeft = 0x0004;
inline constexpr uint16_t DpadRight = 0x0008;
inline constexpr uint16_t Start = 0x0010;
inline constexpr uint16_t Back = 0x0020;
inline constexpr uint16_t LeftThumb = 0x0040;
inline constexpr uint16_t RightThumb = 0x0080;
inline constexpr uint16_t LeftShoulder = 0x0100;
inline constexpr uint16_t RightShoulder = 0x0200;
inline constexpr uint16_t A = 0x1000;
inline constexpr uint16_t B = 0x2000;
inline constexpr uint16_t X = 0x4000;
inline constexpr uint16_t Y = 0x8000;
}  // namespace pad_button

// A standard pad: sticks -32768..32767 with y positive upward, triggers 0..255.
struct StandardPadState {
    uint16_t buttons = 0;
    uint8_t leftTrigger = 0;
    uint8_t rightTrigger = 0;
    int16_t leftX = 0;
    int16_t leftY = 0;
    int16_t rightX = 0;
    int16_t rightY = 0;
};

inline constexpr uint32_t kHatCentred = 0xFFFFFFFF;
inline constexpr int kGenericPadButtons = 32;

// A generic controller: axes 0..65535 centred on 32768; the hat in hundredths
// of a degree clockwise from up, or kHatCentred; buttons with bit 7 set when down.
struct GenericPadState {
    int32_t x = 32768;
    int32_t y = 32768;
    int32_t z = 32768;
    int32_t rz = 32768;
    uint32_t hat = kHatCentred;
    std::array<uint8_t, kGenericPadButtons> buttons{};
};

// Starts and stops the pad back end; pads read as absent until it runs.
bool InitPadDevices();
void ShutdownPadDevices();

// Brings every open device's state up to date; once per frame before reading.
void UpdatePadDevices();

// The attached devices, in the order the system lists them.
std::vector<PadDeviceInfo> ListPadDevices();

// One opened device.
class PadDevice {
public:
    PadDevice() = default;
    ~PadDevice();
    PadDevice(const PadDevice&) = delete;
    PadDevice& operator=(const PadDevice&) = delete;
    PadDevice(PadDevice&& other) noexcept;
    PadDevice& operator=(PadDevice&& other) noexcept;

    // Opens the attached device with this instance id as the given kind.
    bool Open(int32_t instanceId, PadKind kind);
    void Close();
    bool IsOpen() const { return handle_ != nullptr; }
    int32_t InstanceId() const { return instanceId_; }

    // False when the device is gone; the state is then left as it was.
    bool Read(StandardPadState& state) const;
    bool Read(GenericPadState& state) const;

private:
    void* handle_ = nullptr;
    PadKind kind_ = PadKind::Generic;
    int32_t instanceId_ = -1;
};

}  // namespace platform::input
