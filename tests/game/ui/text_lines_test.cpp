// The line splitter as a table: breaks, CR LF pairs, empty lines, the end of a text, the caps and the other break rules.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/ui/text_lines.h"

namespace {

struct Case {
    const char* name;
    std::u16string text;
    TextLineLimits limits;
    std::vector<std::u16string> want;
};

constexpr std::size_t kAny = TextLineLimits{}.maxLines;

const std::vector<Case> kCases = {
    {"empty text has no line", u"", {}, {}},
    {"one line", u"sand", {}, {u"sand"}},
    {"line feed, carriage return and ESC each end a line", u"a\nb\rc\x1b" u"d", {}, {u"a", u"b", u"c", u"d"}},
    {"CR LF ends a line once", u"a\r\nb", {}, {u"a", u"b"}},
    {"LF CR is two breaks", u"a\n\rb", {}, {u"a", u"", u"b"}},
    {"two breaks leave an empty line", u"a\n\nb", {}, {u"a", u"", u"b"}},
    {"a break at the end adds no line", u"a\n", {}, {u"a"}},
    {"a lone break is one empty line", u"\x1b", {}, {u""}},
    {"a leading ESC starts with an empty line", u"\x1b" u"b", {}, {u"", u"b"}},
    {"the text ends at its first 0", std::u16string(u"a\nb\0c\nd", 7), {}, {u"a", u"b"}},
    {"line cap drops later lines", u"1\n2\n3\n4", {3, kAny}, {u"1", u"2", u"3"}},
    {"line cap counts empty lines", u"\n\n\nx", {2, kAny}, {u"", u""}},
    {"no line at all under a cap of 0", u"abc", {0, kAny}, {}},
    {"length cap cuts each line", u"abcdef\nxy\r\nuvwxyz", {kAny, 4}, {u"abcd", u"xy", u"uvwx"}},
    {"both caps", u"abcdef\nghijkl\nmnopqr", {2, 3}, {u"abc", u"ghi"}},
    {"every break: CR LF leaves an empty line", u"a\r\nb", {kAny, kAny, TextLineEnds::kEveryBreak}, {u"a", u"", u"b"}},
    {"every break: the line after the last break counts", u"a\n", {kAny, kAny, TextLineEnds::kEveryBreak}, {u"a", u""}},
    {"every break: an empty text is one empty line", u"", {kAny, kAny, TextLineEnds::kEveryBreak}, {u""}},
    {"every break: the line cap still drops", u"1\n2\n3", {2, kAny, TextLineEnds::kEveryBreak}, {u"1", u"2"}},
    {"breaks end lines: CR LF leaves an empty line, a last break adds none", u"a\r\nb\n", {kAny, kAny, TextLineEnds::kBreaksEndLines},
     {u"a", u"", u"b"}},
    {"breaks end lines: an empty text has no line", u"", {kAny, kAny, TextLineEnds::kBreaksEndLines}, {}},
    {"runs break once: no empty line between, one before a leading run", u"\n\ra\r\n\x1b" u"b\n\n", {kAny, kAny, TextLineEnds::kRunsBreakOnce},
     {u"", u"a", u"b"}},
};

TEST(TextLinesTest, SplitsEveryCaseOfTheTable)
{
    for (const Case& c : kCases) {
        EXPECT_EQ(SplitTextLines(c.text, c.limits), c.want) << c.name;
    }
}

}  // namespace
