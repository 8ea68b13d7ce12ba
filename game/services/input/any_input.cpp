// Whether the player pressed anything this frame: a key, a mouse button or a pad button.
#include "game/services/input/any_input.h"

#include "framework/input/input_manager.h"
#include "framework/input/pad_slots.h"

namespace {
constexpr int kLastLogicalKey = 110;
constexpr int kPressedMode = 2;
// Stick directions are movement, not presses.
constexpr std::uint32_t kStickBits = 0xFF000000u;
}  // namespace

bool IsAnyInputPressed()
{
    for (int key = 0; key <= kLastLogicalKey; ++key) {
        if (vesk::input::GetButton(kPressedMode, key) != 0) return true;
    }
    for (int button : {vesk::input::kButtonMouseLeft, vesk::input::kButtonMouseMiddle, vesk::input::kButtonMouseRight}) {
        if (vesk::input::GetButton(kPressedMode, button) != 0) return true;
    }
    for (int slot = 0; slot < vesk::input::kPadSlotCount; ++slot) {
        const vesk::input::PadInput* pad = vesk::input::GetPadInput(slot);
        if (pad != nullptr && (pad->buttons.pressed & ~kStickBits) != 0) return true;
    }
    return false;
}
