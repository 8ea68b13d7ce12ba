// The safe formatter of message texts: printf-style formats over typed arguments, wide and narrow.
#pragma once

#include <concepts>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

namespace vesk::text {

// One argument of FormatText. It keeps its kind, so a conversion never
// reinterprets memory: a mismatched kind is converted (a number printed by %s,
// a text printed by %d). Texts are held as views and must outlive the call.
class FormatArg {
public:
    enum class Kind { Signed, Unsigned, Double, Narrow, Wide };

    template <std::signed_integral T>
    FormatArg(T value) : kind_(Kind::Signed), signed_(value) {}
    template <std::unsigned_integral T>
    FormatArg(T value) : kind_(Kind::Unsigned), unsigned_(value) {}
    FormatArg(double value) : kind_(Kind::Double), double_(value) {}
    // Narrow texts are UTF-8; a null pointer is an empty text.
    FormatArg(const char* text) : kind_(Kind::Narrow), narrow_(text ? text : "") {}
    FormatArg(std::string_view text) : kind_(Kind::Narrow), narrow_(text) {}
    FormatArg(const std::string& text) : kind_(Kind::Narrow), narrow_(text) {}
    FormatArg(const char16_t* text) : kind_(Kind::Wide), wide_(text ? text : u"") {}
    FormatArg(std::u16string_view text) : kind_(Kind::Wide), wide_(text) {}
    FormatArg(const std::u16string& text) : kind_(Kind::Wide), wide_(text) {}

    Kind GetKind() const { return kind_; }
    int64_t Signed() const { return signed_; }
    uint64_t Unsigned() const { return unsigned_; }
    double Double() const { return double_; }
    std::string_view Narrow() const { return narrow_; }
    std::u16string_view Wide() const { return wide_; }

private:
    Kind kind_;
    int64_t signed_ = 0;
    uint64_t unsigned_ = 0;
    double double_ = 0.0;
    std::string_view narrow_;
    std::u16string_view wide_;
};

// Limits that keep a hostile format (message texts come from data files) from
// asking for huge output: widths and precisions above kMaxFieldWidth are
// clamped, and the result stops growing at kMaxFormattedLength code units.
inline constexpr int kMaxFieldWidth = 1024;
inline constexpr size_t kMaxFormattedLength = 65536;

// printf-style formatting of message texts and other formats, the only way
// texts are formatted. Supported: flags - + space 0 #, width and precision
// (digits or *), length modifiers hh h l ll L j z t w I I32 I64 (they only set
// the width of a negative number printed unsigned), conversions d i u o x X c
// C s S f F e E g G and %%.
// - Each conversion takes the next argument. Without one left it prints
//   nothing at all, not even its padding.
// - Strings convert between UTF-8 and UTF-16 as the output needs, whatever the
//   h/l modifier says.
// - %n writes nothing and takes no argument. An unknown conversion, or a '%'
//   cut off by the end of the format, is copied as it stands and takes none.
// - '#' has no effect on floating conversions.
std::u16string FormatText(std::u16string_view format, std::span<const FormatArg> args);
std::u16string FormatText(std::u16string_view format, std::initializer_list<FormatArg> args = {});

// The same engine for narrow (UTF-8) formats such as paths.
std::string FormatText(std::string_view format, std::span<const FormatArg> args);
std::string FormatText(std::string_view format, std::initializer_list<FormatArg> args = {});

// The longest text FormatStdString gives: what a 64 KB buffer holds besides
// its terminator.
inline constexpr size_t kMaxStdStringLength = 65535;
// Replaces out by the narrow formatting of the arguments, cut at a character
// boundary to kMaxStdStringLength bytes.
void FormatStdString(std::string& out, std::string_view format, std::initializer_list<FormatArg> args = {});

}  // namespace vesk::text
