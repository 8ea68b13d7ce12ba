// Full-width and half-width forms of digits, letters and a few signs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Converts up to the source's end or terminator, at most destSize - 1 characters; the rest of
// dest is zeroed. ASCII digits and letters take their full-width forms, "-" U+2010, "." "/" ":"
// U+FF0E, U+FF0F, U+FF1A; other characters stay.
void ToFullWidthText(char16_t* dest, std::size_t destSize, std::u16string_view source);
std::u16string ToFullWidthText(std::u16string_view source);
// The reverse mapping of at most the first 32 characters (also U+FF3F "_" and U+3000 space);
// dest must hold 32 characters and the caller supplies the terminator.
void ToHalfWidthText(char16_t* dest, std::u16string_view source);
// "%d" of n in full-width digits.
void FormatFullWidthNumber(char16_t* dest, std::size_t destSize, std::int32_t n);
