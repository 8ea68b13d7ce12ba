// The input map's construction, frame refresh and action, pointer and device queries.
#include "game/services/input/input_map.h"


#include "framework/text/message_file.h"
#include "framework/text/utf.h"
#include "game/services/input/input_map_links.h"

namespace {

using vesk::input::TouchList;
using vesk::input::TouchPoint;
using vesk::math::Vec2;

GAME_CInputMap* g_inputMap = nullptr;
bool g_inputMapActive = false;

// Pad UP, DOWN, LEFT, RIGHT exchanged with BUTTON_4, BUTTON_2, BUTTON_3, BUTTON_1.
constexpr std::uint32_t kLayoutSwaps[][2] = {
    {0x40, 0x400}, {0x80, 0x100}, {0x10, 0x800}, {0x20, 0x200},
    {0x400, 0x40}, {0x100, 0x80}, {0x800, 0x10}, {0x200, 0x20},
};

// The four cursor slots: the left stick's directions and the cursor actions.
constexpr std::uint32_t kSlotStickMasks[GAME_CInputMap::kCursorSlotCount] = {0x1000000, 0x2000000, 0x4000000,
                                                                             0x8000000};
constexpr int kSlotActions[GAME_CInputMap::kCursorSlotCount] = {kActionCursorUp, kActionCursorDown,
                                                                kActionCursorLeft, kActionCursorRight};

constexpr std::uint32_t kLeftStickUp = 0x1000000;
constexpr std::uint32_t kLeftStickDown = 0x2000000;
constexpr std::uint32_t kRightStickUp = 0x10000000;
constexpr std::uint32_t kRightStickDown = 0x20000000;

// A pointer kind: the state mask the framework collects it by.
constexpr std::uint32_t kPointerHeld = vesk::input::kTouchHeld;        // 1
constexpr std::uint32_t kPointerPressed = vesk::input::kTouchPressed;  // 4
constexpr std::uint32_t kPointerIdle = vesk::input::kTouchIdle;        // 0x10000
constexpr auto kPinch = vesk::input::Gesture::Pinch;

const vesk::input::PadInput* FirstPad() { return vesk::input::GetPadInput(0); }

bool PointerInRect(const TouchList& points, const Vec2& topLeft, const Vec2& bottomRight, bool pinchCounts)
{
    for (TouchPoint* point : points) {
        if (point == nullptr) {
            continue;
        }
        const float x = point->x;
        const float y = point->y;
        if (x >= topLeft.x && x <= bottomRight.x && y >= topLeft.y && y <= bottomRight.y &&
            (pinchCounts || point->gesture != kPinch)) {
            return true;
        }
    }
    return false;
}

const TouchPoint* FirstPoint(const TouchList& points)
{
    for (const TouchPoint* point : points) {
        if (point != nullptr) {
            return point;
        }
    }
    return nullptr;
}

std::u16string MessageTextOrKey(const std::string& key)
{
    const auto entry = vesk::text::GetMessageEntry(key);
    if (entry && entry->hasText) {
        return entry->text;
    }
    return vesk::text::Utf8ToUtf16(key);
}

}  // namespace

GAME_CInputMap::GAME_CInputMap()
{
    for (int i = 0; i < kRemapPairCount; ++i) {
        remapA_[i] = {1u << i, 1u << i};
    }
    remapB_ = remapA_;
    for (RemapPair& pair : remapB_) {
        for (const auto& swap : kLayoutSwaps) {
            if (pair.from == swap[0]) {
                pair.to = swap[1];
            }
        }
    }
    for (int action = 0; action < kInputActionCount; ++action) {
        const InputActionDefault& entry = GetInputActionDefault(action);
        pad_[action] = {entry.padMask, entry.padMask};
        keys_[action] = {entry.key, entry.key};
    }
    for (int slot = 0; slot < kCursorSlotCount; ++slot) {
        slotMasks_[slot] = kSlotStickMasks[slot];
        slotActions_[slot] = kSlotActions[slot];
    }
    g_inputMapActive = true;
}

GAME_CInputMap::~GAME_CInputMap() { g_inputMapActive = false; }

void GAME_CInputMap::Refresh()
{
    held_.clear();
    pressed_.clear();
    idle_.clear();
    vesk::input::CollectHitObjects(kPointerPressed, pressed_);
    vesk::input::CollectHitObjects(kPointerHeld, held_);
    vesk::input::CollectHitObjects(kPointerIdle, idle_);
    if (!IsGameReadyForInput()) {
        return;
    }
    if (const vesk::input::PadInput* pad = FirstPad()) {
        sticks_[0] = {pad->axes.leftX, pad->axes.leftY};
        sticks_[1] = {pad->axes.rightX, pad->axes.rightY};
    }
    if (keyboardInUse_ == 0) {
        const vesk::input::MouseInput* mouse = vesk::input::GetMouseInput();
        if (FindPressedKey() >= 0 || (mouse != nullptr && mouse->wheelSteps != 0)) {
            keyboardInUse_ = 1;
        }
    } else if (FindPressedPadButton() != 0) {
        keyboardInUse_ = 0;
    }
}

bool GAME_CInputMap::PadMeets(int mode, std::uint32_t mask) const
{
    const vesk::input::PadInput* pad = FirstPad();
    return pad != nullptr && (pad->buttons.ForMode(mode) & mask) != 0;
}

bool GAME_CInputMap::KeyPasses(int mode, std::int32_t key) const
{
    return key != kNoKey && vesk::input::GetButton(mode, key) != 0;
}

bool GAME_CInputMap::ActionInMode(int mode, int action) const
{
    return IsAction(action) && (PadMeets(mode, pad_[action].mask) || KeyPasses(mode, keys_[action].key));
}

bool GAME_CInputMap::IsActionHeld(int action) const { return ActionInMode(kModeHeld, action); }
bool GAME_CInputMap::IsActionTriggered(int action) const { return ActionInMode(kModePressed, action); }
bool GAME_CInputMap::IsActionRepeated(int action) const { return ActionInMode(kModeRepeat, action); }

bool GAME_CInputMap::IsActionHeldOnPad(int action) const
{
    return IsAction(action) && PadMeets(kModeHeld, pad_[action].mask);
}

bool GAME_CInputMap::IsActionInMode(int mode, int slot) const
{
    return IsSlot(slot) && (PadMeets(mode, slotMasks_[slot]) || ActionInMode(mode, slotActions_[slot]));
}

bool GAME_CInputMap::IsSlotHeldOnPad(int slot) const
{
    return IsSlot(slot) &&
           (PadMeets(kModeHeld, slotMasks_[slot]) || PadMeets(kModeHeld, pad_[slotActions_[slot]].mask));
}

bool GAME_CInputMap::IsSlotTriggeredOnPad(int slot) const
{
    return IsSlot(slot) &&
           (PadMeets(kModePressed, slotMasks_[slot]) || PadMeets(kModePressed, pad_[slotActions_[slot]].mask));
}

const vesk::math::Vec2& GAME_CInputMap::GetSteeringStickPosition() const { return GetStickPosition(IsStickSwapOptionSet() ? 1 : 0); }

const vesk::math::Vec2& GAME_CInputMap::GetViewStickPosition() const { return GetStickPosition(IsStickSwapOptionSet() ? 0 : 1); }

bool GAME_CInputMap::IsZoomInHeld() const
{
    const std::uint32_t stick = IsStickSwapOptionSet() ? kLeftStickUp : kRightStickUp;
    return PadMeets(kModeHeld, stick) || IsActionHeld(kActionZoomIn);
}

bool GAME_CInputMap::IsZoomOutHeld() const
{
    const std::uint32_t stick = IsStickSwapOptionSet() ? kLeftStickDown : kRightStickDown;
    return PadMeets(kModeHeld, stick) || IsActionHeld(kActionZoomOut);
}

std::uint32_t GAME_CInputMap::RemapPadButtons(std::uint32_t mask) const
{
    const auto& table = IsPadLayoutOptionSet() ? remapB_ : remapA_;
    std::uint32_t result = 0;
    for (int bit = 0; bit < 32; ++bit) {
        const std::uint32_t from = 1u << bit;
        if ((mask & from) == 0) {
            continue;
        }
        std::uint32_t to = from;
        for (const RemapPair& pair : table) {
            if (pair.from == from) {
                to = pair.to;
                break;
            }
        }
        result |= to;
    }
    return result;
}

bool GAME_CInputMap::IsPointerInRect(const Vec2& topLeft, const Vec2& bottomRight) const
{
    return !IsShipTurning() && PointerInRect(pressed_, topLeft, bottomRight, false);
}

bool GAME_CInputMap::IsAnyPointerInRect(const Vec2& topLeft, const Vec2& bottomRight) const
{
    return !IsShipTurning() && PointerInRect(held_, topLeft, bottomRight, true);
}

Vec2 GAME_CInputMap::GetFirstPointerPosition() const
{
    const TouchPoint* point = FirstPoint(pressed_);
    if (point == nullptr) {
        point = FirstPoint(held_);
    }
    if (point == nullptr) {
        return {-100.0f, -100.0f};
    }
    return {static_cast<float>(point->x), static_cast<float>(point->y)};
}

Vec2 GAME_CInputMap::GetDragPosition() const
{
    const TouchPoint* point = FirstPoint(held_);
    if (point == nullptr || point->frames < kDragFrames) {
        return {};
    }
    return {static_cast<float>(point->moveX), static_cast<float>(point->moveY)};
}

bool GAME_CInputMap::GetReleasedPointer(PinchResult& out) const
{
    for (const TouchPoint* point : held_) {
        if (point != nullptr && point->gesture == kPinch) {
            out = {point->pinchDistance, point->pinchCentreX, point->pinchCentreY};
            return true;
        }
    }
    return false;
}

std::uint32_t GAME_CInputMap::GetPadBinding(int action) const { return IsAction(action) ? pad_[action].mask : 0; }

std::uint32_t GAME_CInputMap::GetDefaultPadBinding(int action) const
{
    return IsAction(action) ? pad_[action].defaultMask : 0;
}

std::int32_t GAME_CInputMap::GetKeyBinding(int action) const { return IsAction(action) ? keys_[action].key : kNoKey; }

std::int32_t GAME_CInputMap::GetDefaultKeyBinding(int action) const
{
    return IsAction(action) ? keys_[action].defaultKey : kNoKey;
}

bool GAME_CInputMap::SetPadBinding(int action, std::uint32_t mask)
{
    if (!IsAction(action) || (mask != 0 && !IsBindablePadButton(mask))) {
        return false;
    }
    pad_[action].mask = mask;
    return true;
}

bool GAME_CInputMap::SetKeyBinding(int action, std::int32_t key)
{
    if (!IsAction(action) || !IsBindableKey(key)) {
        return false;
    }
    keys_[action].key = key;
    return true;
}

void GAME_CInputMap::RestoreDefaultBindings()
{
    for (int action = 0; action < kInputActionCount; ++action) {
        pad_[action].mask = pad_[action].defaultMask;
        keys_[action].key = keys_[action].defaultKey;
    }
}

GAME_CInputMap* GetInputMap()
{
    if (g_inputMap == nullptr) {
        g_inputMap = new GAME_CInputMap();
    }
    return g_inputMap;
}

void DestroyInputMap()
{
    delete g_inputMap;
    g_inputMap = nullptr;
}

bool IsInputMapActive() { return g_inputMapActive; }

void UpdateInputMap()
{
    vesk::input::UpdateInput();
    if (g_inputMap != nullptr) {
        g_inputMap->Refresh();
    }
}

void UpdateInputMap(const vesk::input::WindowInputs& window)
{
    vesk::input::UpdateInput(window);
    if (g_inputMap != nullptr) {
        g_inputMap->Refresh();
    }
}

std::int32_t FindPressedKey()
{
    for (std::int32_t key = 0; key <= kLastKeyCode; ++key) {
        if (key != kMouseLeftKeyCode && vesk::input::GetButton(GAME_CInputMap::kModePressed, key) != 0) {
            return key;
        }
    }
    return kNoKey;
}

std::uint32_t FindPressedPadButton()
{
    const vesk::input::PadInput* pad = FirstPad();
    if (pad == nullptr) {
        return 0;
    }
    for (std::uint32_t mask : kBindablePadButtons) {
        if ((pad->buttons.pressed & mask) != 0) {
            return mask;
        }
    }
    return 0;
}

std::u16string GetPadButtonName(std::uint32_t mask) { return MessageTextOrKey(PadButtonNameKey(mask)); }

std::u16string GetKeyboardKeyName(std::int32_t code) { return MessageTextOrKey(KeyboardKeyNameKey(code)); }
