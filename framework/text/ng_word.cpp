// The NG-word check of a name's first two characters.
#include "framework/text/ng_word.h"

#include <string>

#include "framework/text/utf.h"

namespace vesk::text {

bool IsNgWordName(std::u16string_view name, std::string_view ngWordListUtf8)
{
    if (ngWordListUtf8.empty()) {
        return false;
    }
    const std::u16string list = Utf8ToUtf16(ngWordListUtf8);
    const char16_t first = name.size() > 0 ? name[0] : u'\0';
    const char16_t second = name.size() > 1 ? name[1] : u'\0';
    for (size_t i = 0; i < list.size() / 2; ++i) {
        if (first == list[2 * i] && second == list[2 * i + 1]) {
            return true;
        }
    }
    return false;
}

}  // namespace vesk::text
