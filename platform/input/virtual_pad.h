// A pad that exists only in software, for driving the input code without hardware.
#pragma once

#include <cstdint>

#include "platform/input/pad_device.h"

namespace platform::input {

// A pad that exists only in software, for driving the input code without
// hardware. Its state is set in the same form the reads give back. Needs
// InitPadDevices; attaching or detaching it is seen like plugging a real pad.
class VirtualPad {
public:
    VirtualPad() = default;
    ~VirtualPad();
    VirtualPad(const VirtualPad&) = delete;
    VirtualPad& operator=(const VirtualPad&) = delete;

    bool Attach(PadKind kind, uint16_t vendorId = 0, uint16_t productId = 0);
    void Detach();
    bool IsAttached() const { return handle_ != nullptr; }
    int32_t InstanceId() const { return instanceId_; }

    // Each takes effect at the next UpdatePadDevices.
    void Set(const StandardPadState& state);
    void Set(const GenericPadState& state);

private:
    void* handle_ = nullptr;
    PadKind kind_ = PadKind::Generic;
    int32_t instanceId_ = -1;
};

}  // namespace platform::input
