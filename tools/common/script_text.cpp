// Decoding and quoting of the texts of script sources.
#include "tools/common/script_text.h"

#include <cstdint>
#include <cstdio>

#include "framework/text/utf.h"

namespace vesk::tools::script {
namespace {

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// One element of a literal: a code point, or with `unit` set a raw unit or
// byte given by \x or a surrogate \u.
struct Element {
    std::uint32_t value = 0;
    bool unit = false;
};

// Reads the element at body[i]; advances i.
std::optional<Element> NextElement(std::string_view body, std::size_t& i, std::string& error)
{
    const auto byte = static_cast<unsigned char>(body[i]);
    if (byte == '\\') {
        if (i + 1 >= body.size()) {
            error = "a text ends in a lone backslash";
            return std::nullopt;
        }
        const char kind = body[i + 1];
        i += 2;
        switch (kind) {
        case '\\':
            return Element{'\\'};
        case '"':
            return Element{'"'};
        case '\'':
            return Element{'\''};
        case 'n':
            return Element{'\n'};
        case 't':
            return Element{'\t'};
        case '0':
            return Element{0};
        case 'x': {
            if (i + 2 > body.size() || HexDigit(body[i]) < 0 || HexDigit(body[i + 1]) < 0) {
                error = "\\x needs two hex digits";
                return std::nullopt;
            }
            const std::uint32_t value = static_cast<std::uint32_t>(HexDigit(body[i]) * 16 + HexDigit(body[i + 1]));
            i += 2;
            return Element{value, true};
        }
        case 'u': {
            if (i >= body.size() || body[i] != '{') {
                error = "\\u needs the form \\u{hex}";
                return std::nullopt;
            }
            std::uint32_t value = 0;
            std::size_t digits = 0;
            ++i;
            while (i < body.size() && body[i] != '}') {
                const int digit = HexDigit(body[i]);
                if (digit < 0 || ++digits > 6) {
                    error = "\\u{...} needs one to six hex digits";
                    return std::nullopt;
                }
                value = value * 16 + static_cast<std::uint32_t>(digit);
                ++i;
            }
            if (i >= body.size() || digits == 0 || value > 0x10FFFF) {
                error = "\\u{...} needs one to six hex digits up to 10FFFF";
                return std::nullopt;
            }
            ++i;
            const bool surrogate = value >= 0xD800 && value <= 0xDFFF;
            return Element{value, surrogate};
        }
        default:
            error = std::string("unknown escape \\") + kind;
            return std::nullopt;
        }
    }
    // UTF-8 sequence.
    std::uint32_t value = 0;
    std::size_t length = 0;
    if (byte < 0x80) {
        value = byte;
        length = 1;
    } else if ((byte & 0xE0) == 0xC0) {
        value = byte & 0x1F;
        length = 2;
    } else if ((byte & 0xF0) == 0xE0) {
        value = byte & 0x0F;
        length = 3;
    } else if ((byte & 0xF8) == 0xF0) {
        value = byte & 0x07;
        length = 4;
    } else {
        error = "broken UTF-8 in a text";
        return std::nullopt;
    }
    if (i + length > body.size()) {
        error = "broken UTF-8 in a text";
        return std::nullopt;
    }
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(body[i + k]);
        if ((next & 0xC0) != 0x80) {
            error = "broken UTF-8 in a text";
            return std::nullopt;
        }
        value = (value << 6) | (next & 0x3F);
    }
    static constexpr std::uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (value < kSmallest[length] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        error = "broken UTF-8 in a text";
        return std::nullopt;
    }
    i += length;
    return Element{value};
}

// Escapes what would not read back as itself; printable text stays as is.
void AppendQuoted(std::string& out, std::uint32_t cp, bool surrogateUnit)
{
    char buffer[16];
    if (surrogateUnit) {
        std::snprintf(buffer, sizeof buffer, "\\u{%X}", cp);
        out += buffer;
        return;
    }
    switch (cp) {
    case '\\':
        out += "\\\\";
        return;
    case '"':
        out += "\\\"";
        return;
    case '\n':
        out += "\\n";
        return;
    case '\t':
        out += "\\t";
        return;
    case 0:
        out += "\\0";
        return;
    default:
        break;
    }
    if (cp < 0x20 || cp == 0x7F) {
        std::snprintf(buffer, sizeof buffer, "\\x%02X", cp);
        out += buffer;
        return;
    }
    vesk::text::AppendUtf8(out, cp);
}

}  // namespace

std::optional<std::u16string> DecodeUtf16Literal(std::string_view body, std::string& error)
{
    std::u16string out;
    std::size_t i = 0;
    while (i < body.size()) {
        const std::optional<Element> element = NextElement(body, i, error);
        if (!element) {
            return std::nullopt;
        }
        if (element->unit) {
            out += static_cast<char16_t>(element->value);
        } else {
            vesk::text::AppendUtf16(out, element->value);
        }
    }
    return out;
}

std::optional<std::string> DecodeAsciiLiteral(std::string_view body, std::string& error)
{
    std::string out;
    std::size_t i = 0;
    while (i < body.size()) {
        const std::optional<Element> element = NextElement(body, i, error);
        if (!element) {
            return std::nullopt;
        }
        if (!element->unit && element->value >= 0x80) {
            error = "this text takes ASCII only (or \\xHH bytes)";
            return std::nullopt;
        }
        if (element->value > 0xFF) {
            error = "this text takes bytes, not \\u{...} surrogates";
            return std::nullopt;
        }
        out += static_cast<char>(element->value);
    }
    return out;
}

std::string QuoteUtf16(std::u16string_view text)
{
    std::string out = "\"";
    for (std::size_t i = 0; i < text.size(); ++i) {
        const std::uint32_t unit = text[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            AppendQuoted(out, 0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00u), false);
            ++i;
        } else {
            AppendQuoted(out, unit, unit >= 0xD800 && unit <= 0xDFFF);
        }
    }
    return out + "\"";
}

std::string QuoteAscii(std::string_view text)
{
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x80) {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\x%02X", byte);
            out += buffer;
        } else {
            AppendQuoted(out, byte, false);
        }
    }
    return out + "\"";
}

}  // namespace vesk::tools::script
