// The safe formatter: printf-style conversions applied to typed arguments, never to raw memory.
#include "framework/text/format_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

#include "framework/text/utf.h"

namespace vesk::text {
namespace {

// One conversion of a format: flags, width, precision, length and its letter.
struct Field {
    bool leftAlign = false;
    bool plus = false;
    bool space = false;
    bool zeroPad = false;
    bool alternate = false;
    int width = 0;
    bool widthFromArg = false;
    int precision = -1;  // -1: none given
    bool precisionFromArg = false;
    int lengthBits = 32;  // width of a negative number printed unsigned
    char conversion = 0;
};

// Reads a run of digits, saturating so an absurd width cannot overflow.
template <typename CharT>
int ParseNumber(std::basic_string_view<CharT> format, size_t& pos)
{
    int value = 0;
    while (pos < format.size() && format[pos] >= '0' && format[pos] <= '9') {
        value = std::min(value * 10 + static_cast<int>(format[pos] - '0'), kMaxFieldWidth);
        ++pos;
    }
    return value;
}

template <typename CharT>
bool Accept(std::basic_string_view<CharT> format, size_t& pos, std::string_view what)
{
    if (format.size() - pos < what.size()) {
        return false;
    }
    for (size_t i = 0; i < what.size(); ++i) {
        if (format[pos + i] != static_cast<CharT>(what[i])) {
            return false;
        }
    }
    pos += what.size();
    return true;
}

// Parses what follows a '%' up to and including the conversion character.
// Returns false when the format ends first; pos then stands at the end.
template <typename CharT>
bool ParseField(std::basic_string_view<CharT> format, size_t& pos, Field& field)
{
    for (; pos < format.size(); ++pos) {
        const CharT c = format[pos];
        if (c == '-') {
            field.leftAlign = true;
        } else if (c == '+') {
            field.plus = true;
        } else if (c == ' ') {
            field.space = true;
        } else if (c == '0') {
            field.zeroPad = true;
        } else if (c == '#') {
            field.alternate = true;
        } else {
            break;
        }
    }
    if (pos < format.size() && format[pos] == '*') {
        field.widthFromArg = true;
        ++pos;
    } else {
        field.width = ParseNumber(format, pos);
    }
    if (pos < format.size() && format[pos] == '.') {
        ++pos;
        if (pos < format.size() && format[pos] == '*') {
            field.precisionFromArg = true;
            ++pos;
        } else {
            field.precision = ParseNumber(format, pos);
        }
    }
    if (Accept(format, pos, "hh")) {
        field.lengthBits = 8;
    } else if (Accept(format, pos, "h")) {
        field.lengthBits = 16;
    } else if (Accept(format, pos, "ll") || Accept(format, pos, "I64")) {
        field.lengthBits = 64;
    } else if (Accept(format, pos, "I32") || Accept(format, pos, "l") || Accept(format, pos, "w")) {
        field.lengthBits = 32;
    } else if (Accept(format, pos, "L") || Accept(format, pos, "j") || Accept(format, pos, "z") ||
               Accept(format, pos, "t") || Accept(format, pos, "I")) {
        field.lengthBits = 64;
    }
    if (pos >= format.size()) {
        return false;
    }
    const CharT c = format[pos++];
    field.conversion = (c > 0 && c < 0x80) ? static_cast<char>(c) : '?';
    return true;
}

bool IsKnownConversion(char c)
{
    return std::string_view("diuoxXcCsSfFeEgGn%").find(c) != std::string_view::npos;
}

// --- Output helpers, one per output encoding. ---

void AppendCodePoint(std::u16string& out, char32_t cp) { AppendUtf16(out, cp); }
void AppendCodePoint(std::string& out, char32_t cp) { AppendUtf8(out, cp); }

std::u16string Convert(std::u16string_view, std::string_view text) { return Utf8ToUtf16(text); }
std::u16string Convert(std::u16string_view, std::u16string_view text) { return std::u16string(text); }
std::string Convert(std::string_view, std::string_view text) { return std::string(text); }
std::string Convert(std::string_view, std::u16string_view text) { return Utf16ToUtf8(text); }

// Cuts a text to at most count code units without splitting a character.
void CutAtCharacter(std::u16string& text, size_t count)
{
    if (text.size() <= count) {
        return;
    }
    if (count > 0 && text[count - 1] >= 0xD800 && text[count - 1] <= 0xDBFF) {
        --count;
    }
    text.resize(count);
}

void CutAtCharacter(std::string& text, size_t count)
{
    if (text.size() <= count) {
        return;
    }
    while (count > 0 && (static_cast<unsigned char>(text[count]) & 0xC0) == 0x80) {
        --count;
    }
    text.resize(count);
}

// Puts body into out, padded to the field's width. Zero padding goes between
// the sign or prefix (the first prefixLength units of body) and the digits.
template <typename String>
void AppendPadded(String& out, const String& body, const Field& field, bool zeroPadAllowed, size_t prefixLength = 0)
{
    const size_t width = static_cast<size_t>(field.width);
    if (body.size() >= width) {
        out += body;
        return;
    }
    const size_t fill = width - body.size();
    if (field.leftAlign) {
        out += body;
        out.append(fill, ' ');
    } else if (field.zeroPad && zeroPadAllowed) {
        out.append(body, 0, prefixLength);
        out.append(fill, '0');
        out.append(body, prefixLength, String::npos);
    } else {
        out.append(fill, ' ');
        out += body;
    }
}

template <typename String>
String Widen(std::string_view ascii)
{
    return String(ascii.begin(), ascii.end());
}

// --- Conversions. ---

struct Integer {
    bool negative = false;
    uint64_t magnitude = 0;
};

Integer IntegerFromDouble(double value)
{
    if (std::isnan(value)) {
        return {};
    }
    if (value < 0) {
        if (value <= -9223372036854775808.0) {
            return {true, uint64_t{1} << 63};
        }
        const auto whole = static_cast<int64_t>(value);
        return {whole < 0, static_cast<uint64_t>(-whole)};
    }
    if (value >= 18446744073709551615.0) {
        return {false, std::numeric_limits<uint64_t>::max()};
    }
    return {false, static_cast<uint64_t>(value)};
}

Integer IntegerFrom(const FormatArg& arg)
{
    switch (arg.GetKind()) {
    case FormatArg::Kind::Signed: {
        const int64_t value = arg.Signed();
        // Negated in unsigned arithmetic so the smallest value has no overflow.
        return {value < 0, value < 0 ? uint64_t{0} - static_cast<uint64_t>(value) : static_cast<uint64_t>(value)};
    }
    case FormatArg::Kind::Unsigned: return {false, arg.Unsigned()};
    case FormatArg::Kind::Double: return IntegerFromDouble(arg.Double());
    default: return {};
    }
}

// A negative number printed by an unsigned conversion shows its two's
// complement in the width of the length modifier (or 64 bits if too wide).
uint64_t AsUnsigned(Integer value, int lengthBits)
{
    if (!value.negative) {
        return value.magnitude;
    }
    const uint64_t bits = uint64_t{0} - value.magnitude;
    if (lengthBits < 64 && value.magnitude <= (uint64_t{1} << (lengthBits - 1))) {
        return bits & ((uint64_t{1} << lengthBits) - 1);
    }
    return bits;
}

std::string Digits(uint64_t value, int base, bool upper)
{
    char buffer[72];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof(buffer), value, base);
    std::string digits(buffer, end);
    if (upper) {
        std::transform(digits.begin(), digits.end(), digits.begin(), [](char c) {
            return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
        });
    }
    return digits;
}

template <typename String>
void AppendInteger(String& out, const Field& field, const FormatArg& arg)
{
    const Integer value = IntegerFrom(arg);
    const char c = field.conversion;
    const bool isSigned = c == 'd' || c == 'i';
    std::string prefix;
    uint64_t magnitude = value.magnitude;
    int base = 10;
    if (isSigned) {
        if (value.negative) {
            prefix = "-";
        } else if (field.plus) {
            prefix = "+";
        } else if (field.space) {
            prefix = " ";
        }
    } else {
        magnitude = AsUnsigned(value, field.lengthBits);
        base = (c == 'o') ? 8 : (c == 'u') ? 10 : 16;
    }
    std::string digits = (field.precision == 0 && magnitude == 0) ? std::string() : Digits(magnitude, base, c == 'X');
    if (field.precision > 0 && digits.size() < static_cast<size_t>(field.precision)) {
        digits.insert(0, static_cast<size_t>(field.precision) - digits.size(), '0');
    }
    if (field.alternate && c == 'o' && (digits.empty() || digits[0] != '0')) {
        digits.insert(digits.begin(), '0');
    } else if (field.alternate && (c == 'x' || c == 'X') && magnitude != 0) {
        prefix = (c == 'x') ? "0x" : "0X";
    }
    AppendPadded(out, Widen<String>(prefix + digits), field, field.precision < 0, prefix.size());
}

template <typename String>
void AppendFloating(String& out, const Field& field, double value)
{
    const char c = field.conversion;
    const bool upper = c == 'F' || c == 'E' || c == 'G';
    const int precision = field.precision < 0 ? 6 : field.precision;
    std::chars_format style = std::chars_format::general;
    if (c == 'f' || c == 'F') {
        style = std::chars_format::fixed;
    } else if (c == 'e' || c == 'E') {
        style = std::chars_format::scientific;
    }
    // Room for the 309 integer digits of the largest double plus the capped precision.
    char buffer[2 * kMaxFieldWidth];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof(buffer), value, style, precision);
    std::string text = (ec == std::errc()) ? std::string(buffer, end) : std::string("?");
    if (upper) {
        std::transform(text.begin(), text.end(), text.begin(), [](char ch) {
            return (ch >= 'a' && ch <= 'z') ? static_cast<char>(ch - 'a' + 'A') : ch;
        });
    }
    size_t prefixLength = 0;
    if (!text.empty() && text[0] == '-') {
        prefixLength = 1;
    } else if (field.plus) {
        text.insert(text.begin(), '+');
        prefixLength = 1;
    } else if (field.space) {
        text.insert(text.begin(), ' ');
        prefixLength = 1;
    }
    AppendPadded(out, Widen<String>(text), field, std::isfinite(value), prefixLength);
}

double DoubleFrom(const FormatArg& arg)
{
    switch (arg.GetKind()) {
    case FormatArg::Kind::Signed: return static_cast<double>(arg.Signed());
    case FormatArg::Kind::Unsigned: return static_cast<double>(arg.Unsigned());
    case FormatArg::Kind::Double: return arg.Double();
    default: return 0.0;
    }
}

bool IsText(const FormatArg& arg)
{
    return arg.GetKind() == FormatArg::Kind::Narrow || arg.GetKind() == FormatArg::Kind::Wide;
}

template <typename String>
String TextOf(const FormatArg& arg)
{
    using View = std::basic_string_view<typename String::value_type>;
    if (arg.GetKind() == FormatArg::Kind::Narrow) {
        return Convert(View(), arg.Narrow());
    }
    return Convert(View(), arg.Wide());
}

template <typename String>
void AppendString(String& out, const Field& field, const FormatArg& arg)
{
    if (!IsText(arg)) {
        // A number given for %s prints as %d or %g would.
        Field numberField = field;
        numberField.precision = -1;
        numberField.zeroPad = false;
        if (arg.GetKind() == FormatArg::Kind::Double) {
            numberField.conversion = 'g';
            AppendFloating(out, numberField, arg.Double());
        } else {
            numberField.conversion = (arg.GetKind() == FormatArg::Kind::Signed) ? 'd' : 'u';
            AppendInteger(out, numberField, arg);
        }
        return;
    }
    String text = TextOf<String>(arg);
    if (field.precision >= 0) {
        CutAtCharacter(text, static_cast<size_t>(field.precision));
    }
    AppendPadded(out, text, field, false);
}

bool IsValidCodePoint(int64_t cp)
{
    return cp > 0 && cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF);
}

template <typename String>
void AppendCharacter(String& out, const Field& field, const FormatArg& arg)
{
    String text;
    if (IsText(arg)) {
        // A text given for %c prints its first character.
        const std::u16string wide =
            arg.GetKind() == FormatArg::Kind::Narrow ? Utf8ToUtf16(arg.Narrow()) : std::u16string(arg.Wide());
        if (!wide.empty()) {
            const bool pair = wide.size() > 1 && wide[0] >= 0xD800 && wide[0] <= 0xDBFF && wide[1] >= 0xDC00 &&
                              wide[1] <= 0xDFFF;
            text = Convert(std::basic_string_view<typename String::value_type>(),
                           std::u16string_view(wide).substr(0, pair ? 2 : 1));
        }
    } else {
        const Integer value = IntegerFrom(arg);
        const int64_t cp = value.negative || value.magnitude > 0x10FFFF ? -1 : static_cast<int64_t>(value.magnitude);
        // A zero character would end the text early where it is shown; it prints nothing.
        if (cp != 0) {
            AppendCodePoint(text, IsValidCodePoint(cp) ? static_cast<char32_t>(cp) : char32_t{0xFFFD});
        }
    }
    AppendPadded(out, text, field, false);
}

template <typename CharT>
std::basic_string<CharT> Format(std::basic_string_view<CharT> format, std::span<const FormatArg> args)
{
    using String = std::basic_string<CharT>;
    String out;
    size_t nextArg = 0;
    auto takeArg = [&]() -> const FormatArg* { return nextArg < args.size() ? &args[nextArg++] : nullptr; };

    size_t pos = 0;
    while (pos < format.size() && out.size() < kMaxFormattedLength) {
        const size_t percent = format.find(static_cast<CharT>('%'), pos);
        if (percent == std::basic_string_view<CharT>::npos) {
            out.append(format.substr(pos));
            break;
        }
        out.append(format.substr(pos, percent - pos));
        pos = percent + 1;
        Field field;
        if (!ParseField(format, pos, field) || !IsKnownConversion(field.conversion)) {
            out.append(format.substr(percent, pos - percent));
            continue;
        }
        if (field.conversion == '%') {
            out += static_cast<CharT>('%');
            continue;
        }
        if (field.conversion == 'n') {
            continue;
        }
        if (field.widthFromArg) {
            if (const FormatArg* width = takeArg()) {
                const Integer value = IntegerFrom(*width);
                field.leftAlign = field.leftAlign || value.negative;
                field.width = static_cast<int>(std::min<uint64_t>(value.magnitude, kMaxFieldWidth));
            }
        }
        if (field.precisionFromArg) {
            if (const FormatArg* precision = takeArg()) {
                const Integer value = IntegerFrom(*precision);
                field.precision =
                    value.negative ? -1 : static_cast<int>(std::min<uint64_t>(value.magnitude, kMaxFieldWidth));
            }
        }
        const FormatArg* arg = takeArg();
        if (!arg) {
            continue;
        }
        switch (field.conversion) {
        case 's':
        case 'S': AppendString(out, field, *arg); break;
        case 'c':
        case 'C': AppendCharacter(out, field, *arg); break;
        case 'f':
        case 'F':
        case 'e':
        case 'E':
        case 'g':
        case 'G':
            if (IsText(*arg)) {
                AppendString(out, Field{.leftAlign = field.leftAlign, .width = field.width}, *arg);
            } else {
                AppendFloating(out, field, DoubleFrom(*arg));
            }
            break;
        default:
            if (IsText(*arg)) {
                AppendString(out, Field{.leftAlign = field.leftAlign, .width = field.width}, *arg);
            } else {
                AppendInteger(out, field, *arg);
            }
            break;
        }
    }
    if (out.size() > kMaxFormattedLength) {
        CutAtCharacter(out, kMaxFormattedLength);
    }
    return out;
}

}  // namespace

std::u16string FormatText(std::u16string_view format, std::span<const FormatArg> args)
{
    return Format(format, args);
}

std::u16string FormatText(std::u16string_view format, std::initializer_list<FormatArg> args)
{
    return Format(format, std::span<const FormatArg>(args.begin(), args.size()));
}

std::string FormatText(std::string_view format, std::span<const FormatArg> args)
{
    return Format(format, args);
}

std::string FormatText(std::string_view format, std::initializer_list<FormatArg> args)
{
    return Format(format, std::span<const FormatArg>(args.begin(), args.size()));
}

void FormatStdString(std::string& out, std::string_view format, std::initializer_list<FormatArg> args)
{
    out = Format(format, std::span<const FormatArg>(args.begin(), args.size()));
    CutAtCharacter(out, kMaxStdStringLength);
}

}  // namespace vesk::text
