// Message texts by key, with the "%keyname_" placeholders replaced by the bound keys' names.
#pragma once

#include <string>
#include <string_view>

inline constexpr std::size_t kExpandedTextLimit = 4096;

// The text of key with its placeholders expanded; the key itself, widened, when the message
// file has no text for it.
std::u16string GetMessageTextExpanded(std::string_view key);
// The text of key as it stands; the key itself, widened, when there is none.
std::u16string GetMessageTextOrKey(std::string_view key);

// When the text holds "%keyname", every placeholder of the table is replaced, in table order:
// an action's placeholder by the name of its key (while the keyboard is in use) or of its pad
// button, the stick's by a message text. The result keeps at most 4096 characters.
std::u16string ReplaceKeyNames(std::u16string_view text);

inline constexpr int kKeyNamePlaceholderCount = 29;
struct KeyNamePlaceholder {
    std::u16string_view placeholder;
    int action;
    int kind;  // 1: the bound key or button's name, 0: the message text of messageKey
    std::string_view messageKey;
};
const KeyNamePlaceholder& GetKeyNamePlaceholder(int row);
