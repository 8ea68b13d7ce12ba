// The four pad slots: devices assigned, lost and given back, standard pads read only once.
#include "framework/input/pad_slots.h"

#include <vector>

namespace vesk::input {

using platform::input::PadDeviceInfo;
using platform::input::PadKind;

namespace {

bool HasIds(const PadDeviceInfo& device) { return device.vendorId != 0 || device.productId != 0; }

// A controller that is one of the standard pads (by vendor and product id) is
// read through the standard path only, never a second time as a generic one.
bool IsStandardProduct(const std::vector<PadDeviceInfo>& devices, const PadDeviceInfo& device)
{
    if (device.kind == PadKind::Standard) {
        return true;
    }
    if (!HasIds(device)) {
        return false;
    }
    for (const PadDeviceInfo& other : devices) {
        if (other.kind == PadKind::Standard && other.vendorId == device.vendorId &&
            other.productId == device.productId) {
            return true;
        }
    }
    return false;
}

}  // namespace

void PadSlots::Clear()
{
    for (PadSlot& slot : slots_) {
        slot = PadSlot{};
    }
}

bool PadSlots::IsAssigned(int32_t instanceId) const
{
    for (const PadSlot& slot : slots_) {
        if (slot.state == PadSlotState::Assigned && slot.instanceId == instanceId) {
            return true;
        }
    }
    return false;
}

int PadSlots::ChooseSlot(PadSlotKind kind, const PadDeviceInfo& device) const
{
    for (int index = 0; index < kPadSlotCount; ++index) {
        const PadSlot& slot = slots_[index];
        if (slot.state == PadSlotState::Lost && slot.kind == kind && slot.modelId == device.modelId) {
            return index;
        }
    }
    for (int index = 0; index < kPadSlotCount; ++index) {
        if (slots_[index].state != PadSlotState::Assigned) {
            return index;
        }
    }
    return -1;
}

bool PadSlots::Assign(int index, PadSlotKind kind, const PadDeviceInfo& device)
{
    PadSlot& slot = slots_[index];
    const PadKind deviceKind = kind == PadSlotKind::Standard ? PadKind::Standard : PadKind::Generic;
    if (!slot.device.Open(device.instanceId, deviceKind)) {
        return false;
    }
    slot.present = true;
    slot.kind = kind;
    slot.state = PadSlotState::Assigned;
    slot.instanceId = device.instanceId;
    slot.modelId = device.modelId;
    return true;
}

void PadSlots::Scan()
{
    const std::vector<PadDeviceInfo> devices = platform::input::ListPadDevices();

    for (const PadDeviceInfo& device : devices) {
        if (device.kind != PadKind::Standard || IsAssigned(device.instanceId)) {
            continue;
        }
        const int slot = ChooseSlot(PadSlotKind::Standard, device);
        if (slot < 0) {
            break;
        }
        Assign(slot, PadSlotKind::Standard, device);
    }

    for (const PadDeviceInfo& device : devices) {
        if (IsStandardProduct(devices, device) || IsAssigned(device.instanceId)) {
            continue;
        }
        const int slot = ChooseSlot(PadSlotKind::Generic, device);
        if (slot < 0) {
            break;
        }
        Assign(slot, PadSlotKind::Generic, device);
    }
}

bool PadSlots::Read(int index, platform::input::StandardPadState& standard,
                    platform::input::GenericPadState& generic, PadSlotKind& kind)
{
    PadSlot& slot = slots_[index];
    kind = slot.kind;
    if (!slot.present) {
        return false;
    }
    const bool read = slot.kind == PadSlotKind::Standard ? slot.device.Read(standard) : slot.device.Read(generic);
    if (!read) {
        slot.device.Close();
        slot.present = false;
        slot.state = PadSlotState::Lost;
        slot.instanceId = -1;
    }
    return read;
}

}  // namespace vesk::input
