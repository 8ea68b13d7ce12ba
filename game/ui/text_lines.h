// Splitting a text into the lines it carries: the one rule for every text panel.
#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

// What a panel can hold: lines past the first maxLines and characters past maxLineLength on a
// line are dropped.
struct TextLineLimits {
    std::size_t maxLines = std::numeric_limits<std::size_t>::max();
    std::size_t maxLineLength = std::numeric_limits<std::size_t>::max();
    // A CR LF pair ends a line once; false where a panel counts each of the two as a break (the pair
    // then leaves an empty line).
    bool crLfOnce = true;
};

// Line feed (10), carriage return (13) and ESC (27) end a line.
bool IsTextLineBreak(char16_t c);

// The lines of a text, which ends at its first 0. Each break ends the current line, a CR LF pair
// only once; two breaks in a row leave an empty line between them; a break at the very end adds
// no line, so an empty text has none. Nothing is wrapped by width.
std::vector<std::u16string> SplitTextLines(std::u16string_view text, TextLineLimits limits = {});
