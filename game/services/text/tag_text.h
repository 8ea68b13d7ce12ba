// Copies of tags and texts into the fixed buffers that notices and records hold.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// The tag's four characters and a terminating zero.
void TagToString(std::uint32_t tag, char (&output)[5]);
// The same into one shared buffer, which the next call overwrites (main thread only).
const char* TagToStaticString(std::uint32_t tag);
// Zero-fills the 64 units, copies at most 63 characters of the text (up to its first zero) and
// returns the length kept.
std::size_t CopyText64(char (&output)[64], std::string_view text);
std::size_t CopyWideText64(char16_t (&output)[64], std::u16string_view text);
