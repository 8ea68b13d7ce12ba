// The game's bindable actions with their default bindings, and the display-name keys of pad buttons and keys.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The 28 actions every screen asks for instead of reading devices.
inline constexpr int kInputActionCount = 28;

enum InputAction : int {
    kActionDecide = 0,
    kActionCancel = 1,
    kActionCursorUp = 2,
    kActionCursorDown = 3,
    kActionCursorLeft = 4,
    kActionCursorRight = 5,
    kActionMenuFunctionA = 6,
    kActionMenuFunctionB = 7,
    kActionMenuTabLeft = 8,
    kActionMenuTabRight = 9,
    kActionMenuTabChange = 10,
    kActionMenuPageLeft = 11,
    kActionMenuPageRight = 12,
    kActionGameplayMenu = 13,
    kActionGameplayOuter = 14,
    kActionZoomIn = 15,
    kActionZoomOut = 16,
    kActionShortcutBuild = 17,
    kActionShortcutHideout = 18,
    kActionShortcutQuest = 19,
    kActionShortcutCrewList = 20,
    kActionShortcutItemList = 21,
    kActionShortcutLog = 22,
    kActionSpeedUp = 23,
    kActionSpeedDown = 24,
    kActionSpeedNext = 25,
    kActionSelectCrew = 26,
    kActionSelectItem = 27,
};

// No key bound.
inline constexpr std::int32_t kNoKey = -1;

struct InputActionDefault {
    std::string_view name;  // as in the "%keyname_" tokens and the "ADD_TEXT_UI_CONFIG_" labels
    std::uint32_t padMask;  // 0: no pad button
    std::int32_t key;       // framework logical key code, kNoKey: none
};

// The default binding of an action; action must be below kInputActionCount.
const InputActionDefault& GetInputActionDefault(int action);

// Highest key code a key binding may hold: the logical keys 0..110, then the
// three mouse buttons 112..114 (111 is no key).
inline constexpr std::int32_t kLastKeyCode = 114;
inline constexpr std::int32_t kMouseLeftKeyCode = 112;

// Pad buttons that can be bound, in the order a capture scans them. START and
// SELECT are left out: they control the capture itself.
inline constexpr std::uint32_t kBindablePadButtons[14] = {0x10,  0x20,  0x40,  0x80,    0x100,   0x200,   0x400,
                                                          0x800, 0x1000, 0x2000, 0x10000, 0x20000, 0x40000, 0x80000};

bool IsBindablePadButton(std::uint32_t mask);
// -1 or a key code that names a key or mouse button.
bool IsBindableKey(std::int32_t key);

// The message key of a pad button's name: "ADD_TEXT_XINPUT_BUTTON_..." of one
// of the sixteen named bits, "ADD_TEXT_XINPUT_BUTTON_NON" for any other mask.
std::string PadButtonNameKey(std::uint32_t mask);
// The message key of a key's name: "ADD_TEXT_KEYBOARD_..." of a key code,
// "ADD_TEXT_KEYBOARD_NON" for 111 and every value that is not a key.
std::string KeyboardKeyNameKey(std::int32_t code);
