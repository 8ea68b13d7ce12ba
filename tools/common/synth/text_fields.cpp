// Words, numbers and key=value fields of the synthesiser's texts, and the ranges that numbers are checked against.
#include "tools/common/synth/text_fields.h"

#include <charconv>
#include <cmath>
#include <sstream>

namespace tools::synth {

std::vector<std::string_view> SplitWords(std::string_view text)
{
    std::vector<std::string_view> words;
    size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() && (text[at] == ' ' || text[at] == '\t' || text[at] == '\r')) ++at;
        const size_t begin = at;
        while (at < text.size() && text[at] != ' ' && text[at] != '\t' && text[at] != '\r') ++at;
        if (at > begin) words.push_back(text.substr(begin, at - begin));
    }
    return words;
}

std::optional<double> ParseNumber(std::string_view text)
{
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

bool NumberRange::Contains(double value) const
{
    const bool aboveBottom = aboveLow ? value > low : value >= low;
    return aboveBottom && value <= high && (!whole || std::floor(value) == value);
}

std::string NumberRange::Describe() const
{
    auto text = [](double value) {
        std::ostringstream out;
        out << value;
        return out.str();
    };
    return std::string(whole ? "a whole number " : "a number ") + (aboveLow ? "above " : "from ") + text(low) +
           (aboveLow ? " up to " : " to ") + text(high);
}

std::optional<double> ParseNumberIn(std::string_view text, const NumberRange& range)
{
    const std::optional<double> value = ParseNumber(text);
    if (!value || !range.Contains(*value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::string_view> ValueOf(std::string_view word, std::string_view key)
{
    if (word.size() > key.size() && word.substr(0, key.size()) == key && word[key.size()] == '=') {
        return word.substr(key.size() + 1);
    }
    return std::nullopt;
}

}  // namespace tools::synth
