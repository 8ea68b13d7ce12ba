// Splitting a text into the lines it carries.
#include "game/ui/text_lines.h"

bool IsTextLineBreak(char16_t c) { return c == 10 || c == 13 || c == 27; }

std::vector<std::u16string> SplitTextLines(std::u16string_view text, TextLineLimits limits)
{
    std::vector<std::u16string> lines;
    if (limits.maxLines == 0) return lines;
    std::u16string current;
    bool lineOpen = false;  // characters or a break since the last stored line
    for (std::size_t i = 0; i < text.size() && text[i] != 0; ++i) {
        const char16_t c = text[i];
        if (!IsTextLineBreak(c)) {
            if (current.size() < limits.maxLineLength) current.push_back(c);
            lineOpen = true;
            continue;
        }
        if (limits.ends == TextLineEnds::kRunsBreakOnce && i > 0 && IsTextLineBreak(text[i - 1])) continue;
        // A panel's text written with CR LF line ends breaks once per line, not twice.
        if (limits.ends == TextLineEnds::kPanel && c == 13 && i + 1 < text.size() && text[i + 1] == 10) ++i;
        lines.push_back(std::move(current));
        current.clear();
        lineOpen = false;
        if (lines.size() == limits.maxLines) return lines;
    }
    if (lineOpen || limits.ends == TextLineEnds::kEveryBreak) lines.push_back(std::move(current));
    return lines;
}
