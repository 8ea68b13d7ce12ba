// Quoted texts of script sources, decoded and quoted back.
// A text is "..." with the escapes \\ \" \' \n \t \0, \xHH (one byte, or one
// UTF-16 unit) and \u{H...} (one code point, or one UTF-16 unit when it is a
// surrogate). Everything else is UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vesk::tools::script {

// The text between the quotes as UTF-16. Null with error set when the escapes
// or the UTF-8 are broken.
std::optional<std::u16string> DecodeUtf16Literal(std::string_view body, std::string& error);
// The text as 8-bit characters: only ASCII and \xHH escapes are accepted.
std::optional<std::string> DecodeAsciiLiteral(std::string_view body, std::string& error);

// Quoted source literals (with the quotes) that decode back to exactly the
// given text.
std::string QuoteUtf16(std::u16string_view text);
std::string QuoteAscii(std::string_view text);

}  // namespace vesk::tools::script
