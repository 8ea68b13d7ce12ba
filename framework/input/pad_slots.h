// The four pad slots and which device serves each.
#pragma once

#include <array>
#include <cstdint>

#include "platform/input/pad_device.h"

namespace vesk::input {

inline constexpr int kPadSlotCount = 4;

enum class PadSlotKind : uint8_t { None = 0, Standard = 1, Generic = 2 };
enum class PadSlotState : uint8_t { Free = 0, Assigned = 1, Lost = 2 };

// Which device serves one of the four pad slots. A slot whose device went away
// stays lost and is given back to that device when it returns.
struct PadSlot {
    bool present = false;
    PadSlotKind kind = PadSlotKind::None;
    PadSlotState state = PadSlotState::Free;
    int32_t instanceId = -1;  // the attached device, while assigned
    std::array<uint8_t, 16> modelId{};
    platform::input::PadDevice device;
};

class PadSlots {
public:
    // Empties every slot and closes their devices.
    void Clear();

    // Finds newly attached pads and gives each a slot: first standard pads,
    // then other controllers. Pads already in a slot keep it.
    void Scan();

    // Reads slot's device; false when nothing is read. A device that is gone
    // leaves its slot absent and lost.
    bool Read(int slot, platform::input::StandardPadState& standard, platform::input::GenericPadState& generic,
              PadSlotKind& kind);

    const PadSlot& Slot(int slot) const { return slots_[slot]; }

private:
    bool IsAssigned(int32_t instanceId) const;
    // A lost slot of this kind whose device had this model, else the first
    // slot not assigned; -1 when every slot is taken.
    int ChooseSlot(PadSlotKind kind, const platform::input::PadDeviceInfo& device) const;
    bool Assign(int slot, PadSlotKind kind, const platform::input::PadDeviceInfo& device);

    std::array<PadSlot, kPadSlotCount> slots_;
};

}  // namespace vesk::input
