// The characters a font needs: ranges, message texts by key prefix, and code ranges from the command line.
#include "tools/common/font_charset.h"

#include <charconv>

#include "framework/text/format_text.h"

namespace tools {
namespace {

bool IsSurrogate(char16_t unit)
{
    return unit >= 0xD800 && unit <= 0xDFFF;
}

bool IsControl(char16_t unit)
{
    return unit < 0x20 || unit == 0x7F;
}

bool HasPrefix(const std::string& key, const std::vector<std::string>& prefixes)
{
    if (prefixes.empty()) return true;
    for (const std::string& prefix : prefixes) {
        if (key.starts_with(prefix)) return true;
    }
    return false;
}

bool ParseHexUnit(std::string_view text, char16_t& out)
{
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (error != std::errc() || end != text.data() + text.size() || text.empty() || value == 0 || value > 0xFFFF) {
        return false;
    }
    out = static_cast<char16_t>(value);
    return true;
}

}  // namespace

void FontCharset::AddRange(char16_t first, char16_t last)
{
    for (unsigned unit = first; unit <= last; ++unit) {
        codes_.insert(static_cast<char16_t>(unit));
    }
}

void FontCharset::AddMessageTexts(const std::vector<MessageFileEntry>& entries,
                                  const std::vector<std::string>& keyPrefixes, std::string_view sourceName,
                                  std::vector<std::string>& errors)
{
    for (const MessageFileEntry& entry : entries) {
        if (!entry.hasText || !HasPrefix(entry.key, keyPrefixes)) continue;
        bool reported = false;
        for (char16_t unit : entry.text) {
            if (IsSurrogate(unit)) {
                if (!reported) {
                    errors.push_back(vesk::text::FormatText(
                        "%s: %s: a character beyond U+FFFF cannot be drawn (glyphs are found by 16-bit code unit)",
                        {sourceName, entry.key}));
                    reported = true;
                }
                continue;
            }
            if (!IsControl(unit)) codes_.insert(unit);
        }
    }
}

bool ParseCodeRange(std::string_view text, char16_t& first, char16_t& last)
{
    const size_t dash = text.find('-');
    if (dash == std::string_view::npos) {
        if (!ParseHexUnit(text, first)) return false;
        last = first;
        return true;
    }
    return ParseHexUnit(text.substr(0, dash), first) && ParseHexUnit(text.substr(dash + 1), last) && first <= last;
}

}  // namespace tools
