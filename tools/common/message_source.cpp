// Reading the readable source of a language's messages, with keys and escapes checked.
#include "tools/common/message_source.h"

#include <map>

#include "framework/text/format_text.h"
#include "framework/text/utf.h"

namespace tools {
namespace {

using vesk::text::FormatText;

bool IsKeyCharacter(char c)
{
    return c > ' ' && c < 0x7F;
}

// Resolves the escapes of a text; returns false with the reason when one is bad.
bool Unescape(std::string_view text, std::string& out, std::string& error)
{
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size()) {
            error = "text ends with a lone '\\' (write \\\\ for a backslash)";
            return false;
        }
        switch (text[i]) {
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case '\\': out += '\\'; break;
        default:
            error = FormatText("unknown escape '\\%c' (known: \\n \\r \\t \\\\)", {text.substr(i, 1)});
            return false;
        }
    }
    return true;
}

}  // namespace

MessageSource ParseMessageSource(std::string_view source, std::string_view fileName)
{
    MessageSource result;
    std::map<std::string, size_t, std::less<>> lineOfKey;
    if (source.starts_with("\xEF\xBB\xBF")) {
        source.remove_prefix(3);
    }
    size_t lineNumber = 0;
    while (!source.empty()) {
        ++lineNumber;
        const size_t end = source.find('\n');
        std::string_view line = source.substr(0, end);
        source.remove_prefix(end == std::string_view::npos ? source.size() : end + 1);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        if (line.empty() || line[0] == '#') {
            continue;
        }
        auto fail = [&](std::string_view what) {
            result.errors.push_back(FormatText("%s:%u: %s", {fileName, lineNumber, what}));
        };
        const size_t tab = line.find('\t');
        if (tab == std::string_view::npos) {
            fail("expected KEY<TAB>text");
            continue;
        }
        const std::string_view key = line.substr(0, tab);
        if (key.empty()) {
            fail("empty key");
            continue;
        }
        bool keyOk = true;
        for (char c : key) {
            keyOk = keyOk && IsKeyCharacter(c);
        }
        if (!keyOk) {
            fail(FormatText("key '%s' may hold only printable ASCII without spaces", {key}));
            continue;
        }
        const std::string_view rawText = line.substr(tab + 1);
        // Valid UTF-8 is exactly what survives the round trip unchanged.
        if (vesk::text::Utf16ToUtf8(vesk::text::Utf8ToUtf16(rawText)) != rawText) {
            fail(FormatText("text of '%s' is not valid UTF-8", {key}));
            continue;
        }
        // The message file ends a text at its first zero character.
        if (rawText.find('\0') != std::string_view::npos) {
            fail(FormatText("text of '%s' holds a zero character, which would end it", {key}));
            continue;
        }
        std::string text;
        std::string error;
        if (!Unescape(rawText, text, error)) {
            fail(error);
            continue;
        }
        if (const auto first = lineOfKey.find(key); first != lineOfKey.end()) {
            fail(FormatText("duplicate key '%s' (first at line %u)", {key, first->second}));
            continue;
        }
        lineOfKey.emplace(std::string(key), lineNumber);
        result.entries.push_back({std::string(key), vesk::text::Utf8ToUtf16(text), true});
    }
    return result;
}

}  // namespace tools
