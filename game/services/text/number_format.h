// A message text that shows one number: its first conversion takes the number, the rest stands as written.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The first conversion of the text (such as "%d" or "%5d") is formatted with the value through the
// framework's safe formatter; every other character, later "%" directives included, is copied as
// it stands. A text without a conversion comes back unchanged.
std::u16string FormatWithOneNumber(std::u16string_view text, std::int64_t value);
