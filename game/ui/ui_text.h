// What the screens write into their labels: message texts used as formats, numbers in full-width digits, names by tag, and what the ship holds of an item.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "framework/text/format_text.h"

// The message text of a key used as a format over typed arguments (the key itself when missing).
std::u16string FormatUIMessage(std::string_view key, std::initializer_list<vesk::text::FormatArg> args = {});
// The name of a thing whose 4-character tag is its message key.
std::u16string UITagName(std::uint32_t tag);
// A number formatted by a format of one integer ("%d", "%02d") and turned into full-width digits.
std::u16string UIFullWidthNumber(std::int64_t number, std::u16string_view format = u"%d");
// The dots that follow a "please wait" text: none to three, one more every 4 frames, padded to three.
std::u16string_view UIWaitingDots(std::uint32_t frames);
// Units of the item the ship can use: in the rooms' stores and lying on the grid, with those crew
// members carry when asked, less what pending tasks have claimed; never below 0.
std::int64_t UIAvailableItemCount(std::uint32_t itemId, bool withCarried);
// A text cut to at most `limit` UTF-16 units, as the label or dialog it goes to holds.
std::u16string UILimitedText(std::u16string text, std::size_t limit);
// The longest start of a text that fits in `width` canvas units in the player's font.
std::u16string UIFittedText(std::u16string text, float width);
