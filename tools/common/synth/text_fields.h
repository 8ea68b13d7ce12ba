#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tools::synth {

// Splits on blanks.
std::vector<std::string_view> SplitWords(std::string_view text);
// A whole number or decimal; nothing for anything else.
std::optional<double> ParseNumber(std::string_view text);
// "key=value": the value when the word has that key.
std::optional<std::string_view> ValueOf(std::string_view word, std::string_view key);

}  // namespace tools::synth
