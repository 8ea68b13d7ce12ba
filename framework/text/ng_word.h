// The check of a name against the list of forbidden two-character words.
#pragma once

#include <string_view>

namespace vesk::text {

// True when the first two UTF-16 units of name (a missing unit counts as 0)
// equal one of the two-character words of the NG-word list. The list is UTF-8
// text that, converted to UTF-16, is a plain run of two-character words; an
// empty list, or one shorter than a word, refuses nothing.
bool IsNgWordName(std::u16string_view name, std::string_view ngWordListUtf8);

}  // namespace vesk::text
