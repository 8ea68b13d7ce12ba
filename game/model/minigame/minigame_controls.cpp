// The arcade controls read from the input map: fixed keys, and the pad's buttons taken crosswise.
#include "game/model/minigame/minigame_world.h"

#include "framework/input/input_manager.h"
#include "game/services/input/input_actions.h"
#include "game/services/input/input_map.h"

namespace {

constexpr int kKeyEnter = 44;
constexpr int kKeyA = 46;
constexpr int kKeyD = 48;
constexpr int kKeySpace = 74;
constexpr int kSlotLeft = 2;
constexpr int kSlotRight = 3;

bool Key(int mode, int code) { return vesk::input::GetButton(mode, code) != 0; }

}  // namespace

MiniGameControls ReadMiniGameControls()
{
    MiniGameControls controls;
    if (!IsInputMapActive()) return controls;
    const GAME_CInputMap& map = *GetInputMap();
    constexpr int kHeld = GAME_CInputMap::kModeHeld;
    constexpr int kPressed = GAME_CInputMap::kModePressed;
    controls.left = map.IsSlotHeldOnPad(kSlotLeft) || Key(kHeld, kKeyA);
    controls.leftPressed = map.IsSlotTriggeredOnPad(kSlotLeft) || Key(kPressed, kKeyA);
    controls.right = map.IsSlotHeldOnPad(kSlotRight) || Key(kHeld, kKeyD);
    controls.rightPressed = map.IsSlotTriggeredOnPad(kSlotRight) || Key(kPressed, kKeyD);
    // On the pad DECIDE jumps and CANCEL fires; on the keyboard Space jumps and Enter fires.
    const std::uint32_t jumpButton = map.GetPadBinding(kActionDecide);
    const std::uint32_t fireButton = map.GetPadBinding(kActionCancel);
    controls.jumpPressed = map.IsPadButtonInMode(kPressed, jumpButton) || Key(kPressed, kKeySpace);
    controls.jumpHeld = map.IsPadButtonInMode(kHeld, jumpButton) || Key(kHeld, kKeySpace);
    controls.fireHeld = map.IsPadButtonInMode(kHeld, fireButton) || Key(kHeld, kKeyEnter);
    return controls;
}
