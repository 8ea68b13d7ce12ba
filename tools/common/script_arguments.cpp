// Command arguments of the script tools: type names, source tokens to bytes and bytes back to source.
#include "tools/common/script_arguments.h"

#include <charconv>
#include <cstdio>
#include <cstring>

#include "tools/common/script_diagnostic.h"
#include "tools/common/script_text.h"

namespace vesk::tools::script {
namespace {

struct TypeName {
    std::string_view name;
    ArgType type;
};

constexpr TypeName kTypeNames[] = {
    {"i32", ArgType::I32},   {"u32", ArgType::U32},         {"hex", ArgType::Hex},         {"f32", ArgType::F32},
    {"tag", ArgType::Tag},   {"label", ArgType::Label},     {"cond", ArgType::Condition},  {"cmp", ArgType::Compare},
    {"i16", ArgType::I16},   {"u16", ArgType::U16},         {"u8", ArgType::U8},           {"asciiz", ArgType::AsciiZ},
    {"utf16z", ArgType::Utf16Z},
};

constexpr std::string_view kConditionNames[] = {"all", "any", "not_all", "not_any"};
constexpr std::string_view kCompareNames[] = {"==", "!=", ">", ">=", "<", "<="};
constexpr std::uint32_t kFirstCompareMode = 4;

bool IsScalarType(ArgType type)
{
    switch (type) {
    case ArgType::I32:
    case ArgType::U32:
    case ArgType::Hex:
    case ArgType::Condition:
    case ArgType::Compare:
    case ArgType::I16:
    case ArgType::U16:
    case ArgType::U8:
        return true;
    default:
        return false;
    }
}

std::size_t Alignment(ArgType type)
{
    switch (type) {
    case ArgType::I16:
    case ArgType::U16:
    case ArgType::Utf16Fixed:
    case ArgType::Utf16Z:
        return 2;
    case ArgType::U8:
    case ArgType::AsciiFixed:
    case ArgType::AsciiZ:
        return 1;
    default:
        return 4;
    }
}

void AppendLittleEndian(std::vector<std::uint8_t>& data, std::uint32_t value, std::size_t bytes)
{
    for (std::size_t i = 0; i < bytes; ++i) {
        data.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

std::uint32_t ReadLittleEndian(std::span<const std::uint8_t> data, std::size_t offset, std::size_t bytes)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < bytes; ++i) {
        value |= static_cast<std::uint32_t>(data[offset + i]) << (8 * i);
    }
    return value;
}

// A whole-number word that may be written signed or unsigned.
std::optional<std::uint32_t> ParseRanged(const Token& token, std::int64_t low, std::int64_t high, std::string& error,
                                         std::string_view what)
{
    const std::optional<std::int64_t> value = token.IsWord() ? ParseInteger(token.text) : std::nullopt;
    if (!value || *value < low || *value > high) {
        error = "expected " + std::string(what) + " from " + std::to_string(low) + " to " + std::to_string(high) +
                ", got " + TokenText(token);
        return std::nullopt;
    }
    return static_cast<std::uint32_t>(*value);
}

std::optional<std::uint32_t> ParseWordValue(const ArgSpec& spec, const Token& token, std::string& error)
{
    switch (spec.type) {
    case ArgType::I32:
    case ArgType::U32:
    case ArgType::Hex:
        return ParseRanged(token, INT32_MIN, UINT32_MAX, error, "an integer");
    case ArgType::I16:
        return ParseRanged(token, INT16_MIN, INT16_MAX, error, "an integer");
    case ArgType::U16:
        return ParseRanged(token, 0, UINT16_MAX, error, "an integer");
    case ArgType::U8:
        return ParseRanged(token, 0, UINT8_MAX, error, "an integer");
    case ArgType::Tag:
        if (token.kind == Token::Kind::Tag) {
            std::string literalError;
            const std::optional<std::string> bytes = DecodeAsciiLiteral(token.text, literalError);
            const std::optional<std::uint32_t> word = bytes ? TagWord(*bytes) : std::nullopt;
            if (!word) {
                error = "a tag is four ASCII characters, got " + TokenText(token);
            }
            return word;
        }
        return ParseRanged(token, INT32_MIN, UINT32_MAX, error, "a tag such as 'ID01' or an integer");
    case ArgType::Condition:
        for (std::uint32_t i = 0; i < std::size(kConditionNames); ++i) {
            if (token.IsWord() && token.text == kConditionNames[i]) {
                return i;
            }
        }
        if (token.IsWord() && ParseInteger(token.text)) {
            return ParseRanged(token, 0, UINT32_MAX, error, "a condition");
        }
        error = "expected a condition (all, any, not_all, not_any), got " + TokenText(token);
        return std::nullopt;
    case ArgType::Compare:
        for (std::uint32_t i = 0; i < std::size(kCompareNames); ++i) {
            if (token.IsWord() && token.text == kCompareNames[i]) {
                return kFirstCompareMode + i;
            }
        }
        if (token.IsWord() && ParseInteger(token.text)) {
            return ParseRanged(token, 0, UINT32_MAX, error, "a compare mode");
        }
        error = "expected a comparison (== != > >= < <=), got " + TokenText(token);
        return std::nullopt;
    case ArgType::F32: {
        float value = 0.0f;
        if (const std::optional<std::int64_t> integer = token.IsWord() ? ParseInteger(token.text) : std::nullopt;
            integer && token.text.find_first_of("xX") != std::string::npos) {
            value = static_cast<float>(*integer);  // hex: whole numbers only
            std::uint32_t word;
            std::memcpy(&word, &value, sizeof word);
            return word;
        }
        const char* first = token.text.data();
        const char* last = first + token.text.size();
        if (token.IsWord() && !token.text.empty() && token.text[0] == '+') {
            ++first;  // from_chars takes no plus sign
        }
        const auto [end, status] = std::from_chars(first, last, value);
        if (!token.IsWord() || token.text.empty() || status != std::errc() || end != last) {
            error = "expected a number, got " + TokenText(token);
            return std::nullopt;
        }
        std::uint32_t word;
        std::memcpy(&word, &value, sizeof word);
        return word;
    }
    default:
        error = "internal: not a word type";
        return std::nullopt;
    }
}

std::size_t WordSize(ArgType type)
{
    switch (type) {
    case ArgType::I16:
    case ArgType::U16:
        return 2;
    case ArgType::U8:
        return 1;
    default:
        return 4;
    }
}

bool IsTextType(ArgType type)
{
    return type == ArgType::AsciiFixed || type == ArgType::AsciiZ || type == ArgType::Utf16Fixed ||
           type == ArgType::Utf16Z;
}

std::string FormatFloat(std::uint32_t word)
{
    float value;
    std::memcpy(&value, &word, sizeof value);
    char buffer[64];
    const auto [end, status] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return status == std::errc() ? std::string(buffer, end) : "0";
}

std::string FormatWord(const ArgSpec& spec, std::uint32_t value)
{
    char buffer[32];
    switch (spec.type) {
    case ArgType::I32:
        return std::to_string(static_cast<std::int32_t>(value));
    case ArgType::I16:
        return std::to_string(static_cast<std::int16_t>(value));
    case ArgType::U32:
    case ArgType::U16:
    case ArgType::U8:
        return std::to_string(value);
    case ArgType::Hex:
        std::snprintf(buffer, sizeof buffer, "0x%X", value);
        return buffer;
    case ArgType::F32:
        return FormatFloat(value);
    case ArgType::Tag:
        return FormatTagWord(value);
    case ArgType::Condition:
        return value < std::size(kConditionNames) ? std::string(kConditionNames[value]) : std::to_string(value);
    case ArgType::Compare:
        return value >= kFirstCompareMode && value - kFirstCompareMode < std::size(kCompareNames)
                   ? std::string(kCompareNames[value - kFirstCompareMode])
                   : std::to_string(value);
    default:
        return std::to_string(value);
    }
}

}  // namespace

std::optional<std::int64_t> ParseInteger(std::string_view text)
{
    bool negative = false;
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
        negative = text[0] == '-';
        text.remove_prefix(1);
    }
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    if (text.empty() || text.size() > 20) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), value, base);
    if (status != std::errc() || end != text.data() + text.size() || value > (1ull << 33)) {
        return std::nullopt;
    }
    return negative ? -static_cast<std::int64_t>(value) : static_cast<std::int64_t>(value);
}

std::optional<std::uint32_t> TagWord(std::string_view fourBytes)
{
    if (fourBytes.size() != 4) {
        return std::nullopt;
    }
    std::uint32_t word = 0;
    for (std::size_t i = 0; i < 4; ++i) {
        word |= static_cast<std::uint32_t>(static_cast<unsigned char>(fourBytes[i])) << (8 * i);
    }
    return word;
}

std::string FormatTagWord(std::uint32_t word)
{
    std::string tag;
    for (int i = 0; i < 4; ++i) {
        const char c = static_cast<char>((word >> (8 * i)) & 0xFF);
        if (c < 0x20 || c > 0x7E || c == '\'' || c == '\\') {
            return std::to_string(word);
        }
        tag += c;
    }
    return Quoted(tag);
}

std::optional<ArgSpec> ParseArgSpec(std::string_view text, std::string& error)
{
    ArgSpec spec;
    const std::string_view original = text;
    if (text.starts_with("mode:")) {
        spec.place = ArgPlace::Mode;
        text.remove_prefix(5);
    } else if (text.starts_with("operand:")) {
        spec.place = ArgPlace::Operand;
        text.remove_prefix(8);
    }
    bool known = false;
    for (const TypeName& entry : kTypeNames) {
        if (text == entry.name) {
            spec.type = entry.type;
            known = true;
        }
    }
    for (const auto& [prefix, type] : {std::pair{std::string_view("ascii["), ArgType::AsciiFixed},
                                       std::pair{std::string_view("utf16["), ArgType::Utf16Fixed}}) {
        if (!known && text.starts_with(prefix) && text.ends_with("]")) {
            const std::optional<std::int64_t> length =
                ParseInteger(text.substr(prefix.size(), text.size() - prefix.size() - 1));
            if (!length || *length < 1 || *length > 4096) {
                error = "bad text length in '" + std::string(original) + "'";
                return std::nullopt;
            }
            spec.type = type;
            spec.length = static_cast<std::uint32_t>(*length);
            known = true;
        }
    }
    if (!known) {
        error = "unknown argument type '" + std::string(original) + "'";
        return std::nullopt;
    }
    if (spec.place != ArgPlace::Data && !IsScalarType(spec.type)) {
        error = Quoted(original) + ": only integer types can go to the mode or the operand";
        return std::nullopt;
    }
    return spec;
}

std::string ArgSpecName(const ArgSpec& spec)
{
    std::string name;
    if (spec.place == ArgPlace::Mode) {
        name = "mode:";
    } else if (spec.place == ArgPlace::Operand) {
        name = "operand:";
    }
    switch (spec.type) {
    case ArgType::AsciiFixed:
        return name + "ascii[" + std::to_string(spec.length) + "]";
    case ArgType::Utf16Fixed:
        return name + "utf16[" + std::to_string(spec.length) + "]";
    default:
        break;
    }
    for (const TypeName& entry : kTypeNames) {
        if (entry.type == spec.type) {
            return name + std::string(entry.name);
        }
    }
    return name + "?";
}

bool EncodeDataArgument(const ArgSpec& spec, const Token& token, std::uint32_t labelIndex,
                        std::vector<std::uint8_t>& data, std::string& error)
{
    while (data.size() % Alignment(spec.type) != 0) {
        data.push_back(0);
    }
    if (spec.type == ArgType::Label) {
        AppendLittleEndian(data, labelIndex, 4);
        return true;
    }
    if (!IsTextType(spec.type)) {
        const std::optional<std::uint32_t> value = ParseWordValue(spec, token, error);
        if (!value) {
            return false;
        }
        AppendLittleEndian(data, *value, WordSize(spec.type));
        return true;
    }
    if (token.kind != Token::Kind::String) {
        error = "expected a quoted text, got " + TokenText(token);
        return false;
    }
    std::string literalError;
    if (spec.type == ArgType::AsciiFixed || spec.type == ArgType::AsciiZ) {
        const std::optional<std::string> text = DecodeAsciiLiteral(token.text, literalError);
        if (!text) {
            error = literalError;
            return false;
        }
        if (spec.type == ArgType::AsciiFixed && text->size() >= spec.length) {
            error = "text " + TokenText(token) + " is longer than " + std::to_string(spec.length - 1) + " characters";
            return false;
        }
        data.insert(data.end(), text->begin(), text->end());
        const std::size_t fill = spec.type == ArgType::AsciiFixed ? spec.length - text->size() : 1;
        data.insert(data.end(), fill, 0);
        return true;
    }
    const std::optional<std::u16string> text = DecodeUtf16Literal(token.text, literalError);
    if (!text) {
        error = literalError;
        return false;
    }
    if (spec.type == ArgType::Utf16Fixed && text->size() >= spec.length) {
        error = "text " + TokenText(token) + " is longer than " + std::to_string(spec.length - 1) + " UTF-16 units";
        return false;
    }
    for (const char16_t unit : *text) {
        AppendLittleEndian(data, unit, 2);
    }
    const std::size_t fill = spec.type == ArgType::Utf16Fixed ? spec.length - text->size() : 1;
    data.insert(data.end(), fill * 2, 0);
    return true;
}

void FinishArgumentData(std::vector<std::uint8_t>& data)
{
    while (data.size() % 4 != 0) {
        data.push_back(0);
    }
}

std::optional<std::uint32_t> EncodeScalarArgument(const ArgSpec& spec, const Token& token, std::string& error)
{
    const std::optional<std::uint32_t> value = ParseWordValue(spec, token, error);
    if (!value) {
        return std::nullopt;
    }
    const std::uint32_t limit = spec.place == ArgPlace::Mode ? 0xFF : 0xFFFF;
    const bool signedType = spec.type == ArgType::I32 || spec.type == ArgType::I16 || spec.type == ArgType::U8;
    const std::int64_t asSigned = static_cast<std::int32_t>(*value);
    const bool fits = *value <= limit || (signedType && asSigned < 0 && asSigned >= -static_cast<std::int64_t>(limit / 2 + 1));
    if (!fits) {
        error = "the " + std::string(spec.place == ArgPlace::Mode ? "mode" : "operand") + " holds " +
                std::to_string(spec.place == ArgPlace::Mode ? 8 : 16) + " bits, got " + TokenText(token);
        return std::nullopt;
    }
    return *value & limit;
}

std::optional<DecodedArgument> DecodeDataArgument(const ArgSpec& spec, std::span<const std::uint8_t> data,
                                                  std::size_t& offset)
{
    while (offset % Alignment(spec.type) != 0) {
        ++offset;
    }
    if (offset > data.size()) {
        return std::nullopt;
    }
    DecodedArgument decoded;
    const std::size_t left = data.size() - offset;
    switch (spec.type) {
    case ArgType::Label:
        if (left < 4) {
            return std::nullopt;
        }
        decoded.isLabel = true;
        decoded.labelIndex = ReadLittleEndian(data, offset, 4);
        offset += 4;
        return decoded;
    case ArgType::AsciiFixed:
    case ArgType::AsciiZ: {
        const std::size_t limit = spec.type == ArgType::AsciiFixed ? spec.length : left;
        if (limit > left) {
            return std::nullopt;
        }
        std::size_t length = 0;
        while (length < limit && data[offset + length] != 0) {
            ++length;
        }
        if (length == limit) {
            return std::nullopt;  // no terminator where the text must have one
        }
        decoded.text = QuoteAscii(std::string_view(reinterpret_cast<const char*>(data.data() + offset), length));
        offset += spec.type == ArgType::AsciiFixed ? spec.length : length + 1;
        return decoded;
    }
    case ArgType::Utf16Fixed:
    case ArgType::Utf16Z: {
        const std::size_t limit = spec.type == ArgType::Utf16Fixed ? spec.length : left / 2;
        if (limit * 2 > left) {
            return std::nullopt;
        }
        std::u16string text;
        while (text.size() < limit && ReadLittleEndian(data, offset + text.size() * 2, 2) != 0) {
            text += static_cast<char16_t>(ReadLittleEndian(data, offset + text.size() * 2, 2));
        }
        if (text.size() == limit) {
            return std::nullopt;
        }
        decoded.text = QuoteUtf16(text);
        offset += (spec.type == ArgType::Utf16Fixed ? spec.length : text.size() + 1) * 2;
        return decoded;
    }
    default: {
        const std::size_t size = WordSize(spec.type);
        if (left < size) {
            return std::nullopt;
        }
        decoded.text = FormatWord(spec, ReadLittleEndian(data, offset, size));
        offset += size;
        return decoded;
    }
    }
}

std::string FormatScalarArgument(const ArgSpec& spec, std::uint32_t value)
{
    return FormatWord(spec, value);
}

}  // namespace vesk::tools::script
