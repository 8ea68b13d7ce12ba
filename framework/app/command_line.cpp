// The command-line scan: tokens in a ring of four, the screen-size switches and their numbers.
#include "framework/app/command_line.h"

#include <array>
#include <climits>
#include <string>

namespace vesk::app {

namespace {

enum class SwitchState { None, Width, Height };

constexpr int kTokenCount = 4;

bool IsBlank(char16_t c)
{
    return c == u' ' || c == u'\t';
}

}  // namespace

int TokenToInt(std::u16string_view token)
{
    size_t i = 0;
    while (i < token.size() && (IsBlank(token[i]) || token[i] == u'\n' || token[i] == u'\r')) ++i;
    bool negative = false;
    if (i < token.size() && (token[i] == u'-' || token[i] == u'+')) negative = token[i++] == u'-';
    long long value = 0;
    for (; i < token.size() && token[i] >= u'0' && token[i] <= u'9'; ++i) {
        value = value * 10 + (token[i] - u'0');
        if (value > static_cast<long long>(INT_MAX) + 1) break;
    }
    if (negative) value = -value;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

CommandLineOptions ScanCommandLine(std::u16string_view line)
{
    CommandLineOptions options;
    std::array<std::u16string, kTokenCount> tokens;
    int index = 0;
    SwitchState state = SwitchState::None;

    size_t pos = 0;
    for (;;) {
        while (pos < line.size() && !IsBlank(line[pos])) tokens[index] += line[pos++];

        // End of a token.
        if (state == SwitchState::None) {
            if (tokens[0] == u"-scr_w") state = SwitchState::Width;
            else if (tokens[0] == u"-scr_h") state = SwitchState::Height;
        } else if (index == 1) {
            const int value = TokenToInt(tokens[1]);
            if (state == SwitchState::Width) {
                options.hasScreenWidth = true;
                options.screenWidth = value;
            } else {
                options.hasScreenHeight = true;
                options.screenHeight = value;
            }
        }

        if (pos >= line.size()) break;
        ++pos;  // the blank
        if (pos < line.size() && line[pos] == u'-') {
            for (auto& token : tokens) token.clear();
            index = 0;
            state = SwitchState::None;
        } else {
            index = (index + 1) % kTokenCount;
        }
    }
    return options;
}

}  // namespace vesk::app
