// Message texts by key, with the "%keyname_" placeholders replaced by the bound keys' names.
#include "game/services/text/message_text.h"

#include <array>

#include "framework/text/message_file.h"
#include "game/services/input/input_map.h"

namespace {

constexpr std::array<KeyNamePlaceholder, kKeyNamePlaceholderCount> kPlaceholders = {{
    {u"%keyname_DECIDE", 0, 1, ""},
    {u"%keyname_CANCEL", 1, 1, ""},
    {u"%keyname_CURSOR_UP", 2, 1, ""},
    {u"%keyname_CURSOR_DOWN", 3, 1, ""},
    {u"%keyname_CURSOR_LEFT", 4, 1, ""},
    {u"%keyname_CURSOR_RIGHT", 5, 1, ""},
    {u"%keyname_MENU_FUNCTION_A", 6, 1, ""},
    {u"%keyname_MENU_FUNCTION_B", 7, 1, ""},
    {u"%keyname_MENU_TAB_LEFT", 8, 1, ""},
    {u"%keyname_MENU_TAB_RIGHT", 9, 1, ""},
    {u"%keyname_MENU_TAB_CHANGE", 10, 1, ""},
    {u"%keyname_MENU_PAGE_LEFT", 11, 1, ""},
    {u"%keyname_MENU_PAGE_RIGHT", 12, 1, ""},
    {u"%keyname_GAMEPLAY_MENU", 13, 1, ""},
    {u"%keyname_GAMEPLAY_OUTER", 14, 1, ""},
    {u"%keyname_GAMEPLAY_ZOOMIN", 15, 1, ""},
    {u"%keyname_GAMEPLAY_ZOOMOUT", 16, 1, ""},
    {u"%keyname_GAMEPLAY_SC_BUILD", 17, 1, ""},
    {u"%keyname_GAMEPLAY_SC_KYOTEN", 18, 1, ""},
    {u"%keyname_GAMEPLAY_SC_QUEST", 19, 1, ""},
    {u"%keyname_GAMEPLAY_SC_PIMMET_LIST", 20, 1, ""},
    {u"%keyname_GAMEPLAY_SC_ITEM_LIST", 21, 1, ""},
    {u"%keyname_GAMEPLAY_SC_LOG", 22, 1, ""},
    {u"%keyname_GAMEPLAY_SPEED_UP", 23, 1, ""},
    {u"%keyname_GAMEPLAY_SPEED_DOWN", 24, 1, ""},
    {u"%keyname_GAMEPLAY_SPEED_NEXT", 25, 1, ""},
    {u"%keyname_GAMEPLAY_SC_PIMMET_SELECT", 26, 1, ""},
    {u"%keyname_GAMEPLAY_SC_ITEM_SELECT", 27, 1, ""},
    {u"%keyname_MENU_STICK_A", 27, 0, "ADD_TEXT_STICK_LEFT"},
}};

std::u16string Widen(std::string_view key) { return std::u16string(key.begin(), key.end()); }

// The name of the action's binding: the key while the keyboard is in use, else the pad button.
// Without an input map the default bindings count and the pad is the device in use.
std::u16string BindingName(int action)
{
    if (IsInputMapActive()) {
        const GAME_CInputMap* map = GetInputMap();
        return map->IsKeyboardInUse() ? GetKeyboardKeyName(map->GetKeyBinding(action))
                                      : GetPadButtonName(map->GetPadBinding(action));
    }
    return GetPadButtonName(GetInputActionDefault(action).padMask);
}

void ReplaceAll(std::u16string& text, std::u16string_view from, const std::u16string& to)
{
    std::size_t at = 0;
    while ((at = text.find(from, at)) != std::u16string::npos) {
        text.replace(at, from.size(), to);
        at += to.size();
        if (text.size() > kExpandedTextLimit) {
            text.resize(kExpandedTextLimit);
            return;
        }
    }
}

}  // namespace

const KeyNamePlaceholder& GetKeyNamePlaceholder(int row)
{
    return kPlaceholders[static_cast<std::size_t>(row < 0 || row >= kKeyNamePlaceholderCount ? 0 : row)];
}

std::u16string GetMessageTextOrKey(std::string_view key)
{
    const std::optional<vesk::text::MessageEntry> entry = vesk::text::GetMessageEntry(key);
    if (entry && entry->hasText) return entry->text;
    return Widen(key);
}

std::u16string ReplaceKeyNames(std::u16string_view text)
{
    std::u16string result(text.substr(0, std::min(text.size(), kExpandedTextLimit)));
    if (result.find(u"%keyname") == std::u16string::npos) return result;
    for (const KeyNamePlaceholder& row : kPlaceholders) {
        if (result.find(row.placeholder) == std::u16string::npos) continue;
        ReplaceAll(result, row.placeholder, row.kind == 1 ? BindingName(row.action) : GetMessageTextOrKey(row.messageKey));
    }
    return result;
}

std::u16string GetMessageTextExpanded(std::string_view key)
{
    const std::optional<vesk::text::MessageEntry> entry = vesk::text::GetMessageEntry(key);
    if (entry && entry->hasText) return ReplaceKeyNames(entry->text);
    return Widen(key);
}
