// The action table, the bindable buttons and keys, and the name keys of pad buttons and keys.
#include "game/services/input/input_actions.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace {

constexpr std::array<InputActionDefault, kInputActionCount> kActions = {{
    {"DECIDE", 0x200, 44},
    {"CANCEL", 0x100, 74},
    {"CURSOR_UP", 0x10, 33},
    {"CURSOR_DOWN", 0x20, 47},
    {"CURSOR_LEFT", 0x40, 46},
    {"CURSOR_RIGHT", 0x80, 48},
    {"MENU_FUNCTION_A", 0x400, 35},
    {"MENU_FUNCTION_B", 0x800, 61},
    {"MENU_TAB_LEFT", 0x10000, 32},
    {"MENU_TAB_RIGHT", 0x20000, 34},
    {"MENU_TAB_CHANGE", 0, 31},
    {"MENU_PAGE_LEFT", 0x40000, kNoKey},
    {"MENU_PAGE_RIGHT", 0x80000, kNoKey},
    {"GAMEPLAY_MENU", 0x400, 31},
    {"GAMEPLAY_OUTER", 0x800, kNoKey},
    {"GAMEPLAY_ZOOMIN", 0, 39},
    {"GAMEPLAY_ZOOMOUT", 0, 40},
    {"GAMEPLAY_SC_BUILD", 0, 32},
    {"GAMEPLAY_SC_KYOTEN", 0, 34},
    {"GAMEPLAY_SC_QUEST", 0, 18},
    {"GAMEPLAY_SC_PIMMET_LIST", 0, 17},
    {"GAMEPLAY_SC_ITEM_LIST", 0, 19},
    {"GAMEPLAY_SC_LOG", 0, 22},
    {"GAMEPLAY_SPEED_UP", 0x80000, 21},
    {"GAMEPLAY_SPEED_DOWN", 0x40000, 20},
    {"GAMEPLAY_SPEED_NEXT", 0, 35},
    {"GAMEPLAY_SC_PIMMET_SELECT", 0x10000, kNoKey},
    {"GAMEPLAY_SC_ITEM_SELECT", 0x20000, kNoKey},
}};

struct PadButtonName {
    std::uint32_t mask;
    std::string_view suffix;
};

constexpr PadButtonName kPadButtonNames[] = {
    {0x1, "START"},
    {0x2, "SELECT"},
    {0x10, "UP"},
    {0x20, "DOWN"},
    {0x40, "LEFT"},
    {0x80, "RIGHT"},
    {0x100, "1"},
    {0x200, "2"},
    {0x400, "3"},
    {0x800, "4"},
    {0x1000, "5"},
    {0x2000, "6"},
    {0x10000, "TRIGGER_LEFT"},
    {0x20000, "TRIGGER_RIGHT"},
    {0x40000, "ANALOG_TRIGGER_LEFT"},
    {0x80000, "ANALOG_TRIGGER_RIGHT"},
};

// Key codes 0..114; 111 has no key.
constexpr std::string_view kKeyNames[] = {
    "ESC", "F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11", "F12", "F13", "F14", "F15",
    "ZENKAKU", "1", "2", "3", "4", "5", "6", "7", "8", "9", "0", "Sub", "Hut", "Spliter", "BackSpace", "Tab",
    "Q", "W", "E", "R", "T", "Y", "U", "I", "O", "P", "At", "BracketBegen", "Enter", "Caps",
    "A", "S", "D", "F", "G", "H", "J", "K", "L", "Semicolon", "Colon", "BracketEnd", "Lshift",
    "Z", "X", "C", "V", "B", "N", "M", "Comma", "Period", "Slash", "BackSlash", "Rshift",
    "LCtrl", "LAlt", "Muhenkan", "Space", "Henkan", "Kana", "RAlt", "LMenu", "RMenu", "RCtrl",
    "Print", "ScrollLock", "Pause", "Ins", "Del", "Home", "End", "PgUp", "PgDn", "Left", "Up", "Right", "Down",
    "NumLock", "TSlash", "TAsterisk", "TMinus", "TPlus", "T0", "T1", "T2", "T3", "T4", "T5", "T6", "T7", "T8",
    "T9", "TDot", "TENTER", "", "MouseLButton", "MouseMButton", "MouseRButton",
};
static_assert(std::size(kKeyNames) == kLastKeyCode + 1);

std::string_view KeyName(std::int32_t code)
{
    return code >= 0 && code <= kLastKeyCode ? kKeyNames[code] : std::string_view{};
}

}  // namespace

const InputActionDefault& GetInputActionDefault(int action) { return kActions[static_cast<std::size_t>(action)]; }

bool IsBindablePadButton(std::uint32_t mask)
{
    return std::find(std::begin(kBindablePadButtons), std::end(kBindablePadButtons), mask) !=
           std::end(kBindablePadButtons);
}

bool IsBindableKey(std::int32_t key)
{
    return key == kNoKey || !KeyName(key).empty();
}

std::string PadButtonNameKey(std::uint32_t mask)
{
    std::string key = "ADD_TEXT_XINPUT_BUTTON_";
    for (const PadButtonName& name : kPadButtonNames) {
        if (name.mask == mask) {
            return key.append(name.suffix);
        }
    }
    return key.append("NON");
}

std::string KeyboardKeyNameKey(std::int32_t code)
{
    std::string key = "ADD_TEXT_KEYBOARD_";
    const std::string_view name = KeyName(code);
    return key.append(name.empty() ? "NON" : name);
}
