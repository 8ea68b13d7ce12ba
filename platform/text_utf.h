// Conversions between UTF-8 and UTF-16, safe on untrusted bytes.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// UTF-16 to UTF-8. An unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

// UTF-8 to UTF-16, code points above U+FFFF as surrogate pairs. Every ill-formed
// sequence (stray or missing continuation bytes, overlong forms, encoded
// surrogates, values above U+10FFFF) becomes one U+FFFD per maximal invalid run,
// so untrusted bytes always convert.
std::u16string Utf8ToUtf16(std::string_view text);

// One code point (at most U+10FFFF) appended in each encoding: as a surrogate
// pair above U+FFFF, as two to four bytes above U+007F.
void AppendUtf16(std::u16string& out, char32_t cp);
void AppendUtf8(std::string& out, char32_t cp);

}  // namespace platform
