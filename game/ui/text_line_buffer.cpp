// The 32-line buffer a rumour's text is laid out in, for the pub and the rumour log.
#include "game/ui/text_line_buffer.h"

#include <vector>

#include "game/ui/text_lines.h"

void GAME_CTextLineBuffer::Clear()
{
    for (std::u16string& line : lines_) line.clear();
    count_ = 0;
}

void GAME_CTextLineBuffer::Fill(std::u16string_view text)
{
    Clear();
    std::vector<std::u16string> lines =
        SplitTextLines(text, {.maxLines = kLines, .ends = TextLineEnds::kEveryBreak});
    for (std::size_t i = 0; i < lines.size(); ++i) lines_[i] = std::move(lines[i]);
    count_ = static_cast<std::uint32_t>(lines.size());
}

const std::u16string& GAME_CTextLineBuffer::Line(std::size_t index) const
{
    static const std::u16string kEmpty;
    return index < count_ ? lines_[index] : kEmpty;
}
