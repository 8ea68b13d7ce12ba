// The fields of the synthesiser's texts, and the ranges every number it reads must lie in.
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

// The numbers a field takes. Every number the synthesiser reads is checked
// against one, so no value can overflow a conversion or ask for an endless
// render.
struct NumberRange {
    double low = 0;
    double high = 0;
    bool whole = false;     // whole numbers only
    bool aboveLow = false;  // low itself is excluded

    bool Contains(double value) const;
    // "from 0 to 1", "above 0 up to 64", "a whole number from 0 to 8".
    std::string Describe() const;
};
// A number of ParseNumber inside the range; nothing otherwise (NaN and the
// infinities included).
std::optional<double> ParseNumberIn(std::string_view text, const NumberRange& range);
// "key=value": the value when the word has that key.
std::optional<std::string_view> ValueOf(std::string_view word, std::string_view key);

}  // namespace tools::synth
