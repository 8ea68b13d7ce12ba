// Splitting a text into the lines it carries: the one rule for every text panel.
#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

// How the breaks of a text make its lines.
enum class TextLineEnds {
    // A CR LF pair breaks once; a break at the very end adds no line, so an empty text has none.
    kPanel,
    // Every break ends a line, so a CR LF pair leaves an empty line between; the line after the last
    // break always counts, so an empty text has one empty line.
    kEveryBreak,
    // Every break ends a line, as kEveryBreak; the line after the last break counts only when it
    // holds characters, so an empty text has none.
    kBreaksEndLines,
    // A run of breaks ends a line once, so no empty line stands between two lines (a break at the
    // very start still leaves one before the first); the line after the last break counts only when
    // it holds characters.
    kRunsBreakOnce,
};

// What a panel can hold: lines past the first maxLines and characters past maxLineLength on a
// line are dropped.
struct TextLineLimits {
    std::size_t maxLines = std::numeric_limits<std::size_t>::max();
    std::size_t maxLineLength = std::numeric_limits<std::size_t>::max();
    TextLineEnds ends = TextLineEnds::kPanel;
};

// Line feed (10), carriage return (13) and ESC (27) end a line.
bool IsTextLineBreak(char16_t c);

// The lines of a text, which ends at its first 0. Each break ends the current line (a CR LF pair
// as the limits' ends say); two breaks in a row leave an empty line between them. Nothing is
// wrapped by width.
std::vector<std::u16string> SplitTextLines(std::u16string_view text, TextLineLimits limits = {});
