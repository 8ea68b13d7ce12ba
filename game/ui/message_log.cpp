// The message log screen: the last 64 lines of the game's notices.
#include "game/ui/message_log.h"

#include <algorithm>

void GAME_CUIMessageLog::AddMessage(std::u16string_view text, std::uint32_t kind)
{
    Line line{std::u16string(text.substr(0, std::min(text.size(), kLineLength))), kind};
    const int used = CountLines();
    if (used < kLineCount) {
        lines_[static_cast<std::size_t>(used)] = std::move(line);
        return;
    }
    std::move(lines_.begin() + 1, lines_.end(), lines_.begin());
    lines_.back() = std::move(line);
}

int GAME_CUIMessageLog::CountLines() const
{
    return static_cast<int>(std::count_if(lines_.begin(), lines_.end(), [](const Line& l) { return !l.text.empty(); }));
}
