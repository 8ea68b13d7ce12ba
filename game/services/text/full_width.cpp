// Full-width and half-width forms of digits, letters and a few signs.
#include "game/services/text/full_width.h"

#include <algorithm>

#include "framework/text/format_text.h"

namespace {

constexpr char16_t kFullWidthOffset = 0xFEE0;

bool IsAsciiAlnum(char16_t c) { return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }

char16_t ToFull(char16_t c)
{
    if (IsAsciiAlnum(c)) return static_cast<char16_t>(c + kFullWidthOffset);
    switch (c) {
    case u'-': return u'\u2010';
    case u'.': return u'\uFF0E';
    case u'/': return u'\uFF0F';
    case u':': return u'\uFF1A';
    default: return c;
    }
}

char16_t ToHalf(char16_t c)
{
    const char16_t half = static_cast<char16_t>(c - kFullWidthOffset);
    if (c >= kFullWidthOffset && IsAsciiAlnum(half)) return half;
    switch (c) {
    case u'\u2010': return u'-';
    case u'\uFF0E': return u'.';
    case u'\uFF0F': return u'/';
    case u'\uFF1A': return u':';
    case u'\uFF3F': return u'_';
    case u'\u3000': return u' ';
    default: return c;
    }
}

std::u16string_view UpToTerminator(std::u16string_view text)
{
    const std::size_t end = text.find(u'\0');
    return end == std::u16string_view::npos ? text : text.substr(0, end);
}

}  // namespace

void ToFullWidthText(char16_t* dest, std::size_t destSize, std::u16string_view source)
{
    if (dest == nullptr || destSize == 0) return;
    const std::u16string_view text = UpToTerminator(source);
    const std::size_t count = std::min(text.size(), destSize - 1);
    for (std::size_t i = 0; i < count; ++i) dest[i] = ToFull(text[i]);
    std::fill(dest + count, dest + destSize, u'\0');
}

std::u16string ToFullWidthText(std::u16string_view source)
{
    std::u16string result(UpToTerminator(source));
    std::transform(result.begin(), result.end(), result.begin(), ToFull);
    return result;
}

void ToHalfWidthText(char16_t* dest, std::u16string_view source)
{
    if (dest == nullptr) return;
    const std::u16string_view text = UpToTerminator(source);
    const std::size_t count = std::min<std::size_t>(text.size(), 32);
    for (std::size_t i = 0; i < count; ++i) dest[i] = ToHalf(text[i]);
}

void FormatFullWidthNumber(char16_t* dest, std::size_t destSize, std::int32_t n)
{
    ToFullWidthText(dest, destSize, vesk::text::FormatText(u"%d", {n}));
}
