// A message text that shows one number: its first conversion takes the number, the rest stands as written.
#include "game/services/text/number_format.h"

#include "framework/text/format_text.h"

namespace {

constexpr std::u16string_view kFlags = u"-+ 0#";
constexpr std::u16string_view kLengths = u"hlLjztwI";
constexpr std::u16string_view kConversions = u"diuoxXcCsSfFeEgG";

bool IsIn(std::u16string_view set, char16_t c) { return set.find(c) != std::u16string_view::npos; }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// The end of a conversion that starts at text[at] == '%', or npos when none starts there. A width
// or precision given by '*' would take a second argument, so such a directive is no conversion here.
std::size_t ConversionEnd(std::u16string_view text, std::size_t at)
{
    std::size_t i = at + 1;
    while (i < text.size() && IsIn(kFlags, text[i])) ++i;
    while (i < text.size() && IsDigit(text[i])) ++i;
    if (i < text.size() && text[i] == u'.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) ++i;
    }
    while (i < text.size() && (IsIn(kLengths, text[i]) || text[i] == u'3' || text[i] == u'2' || text[i] == u'6' ||
                               text[i] == u'4')) {
        ++i;
    }
    if (i < text.size() && IsIn(kConversions, text[i])) return i + 1;
    return std::u16string_view::npos;
}

}  // namespace

std::u16string FormatWithOneNumber(std::u16string_view text, std::int64_t value)
{
    for (std::size_t at = text.find(u'%'); at != std::u16string_view::npos; at = text.find(u'%', at + 1)) {
        if (at + 1 < text.size() && text[at + 1] == u'%') {
            ++at;  // "%%" is no conversion
            continue;
        }
        const std::size_t end = ConversionEnd(text, at);
        if (end == std::u16string_view::npos) continue;
        std::u16string result(text.substr(0, at));
        result += vesk::text::FormatText(text.substr(at, end - at), {value});
        result += text.substr(end);
        return result;
    }
    return std::u16string(text);
}
