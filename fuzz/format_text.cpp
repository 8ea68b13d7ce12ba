// Formats arbitrary bytes as wide and narrow formats with a mix of arguments.
// Whatever a data file holds, formatting stays inside its memory and limits.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "framework/text/format_text.h"
#include "platform/little_endian.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using vesk::text::FormatText;
    const std::string_view narrow(reinterpret_cast<const char*>(data), size);
    std::u16string wide;
    for (size_t i = 0; i + 1 < size; i += 2) {
        wide += static_cast<char16_t>(platform::ReadU16(data + i));
    }
    const std::u16string wideOut = FormatText(wide, {-1, "n\xc3\xa9", u"w\U0001F400", 1e300, 42u, -2.5});
    const std::string narrowOut = FormatText(narrow, {7, u"\xD800", "x", 0.1, int64_t{-9}, 0x10FFFF});
    if (wideOut.size() > vesk::text::kMaxFormattedLength || narrowOut.size() > vesk::text::kMaxFormattedLength) {
        std::abort();
    }
    return 0;
}
