// The event window's text: the whole text, the part typed out so far, its measured lines and the typing.
#include "game/ui/event_text.h"

#include <algorithm>

#include "game/ui/text_lines.h"
#include "game/ui/ui_draw.h"

void GAME_CEventText::SetText(const char16_t* text)
{
    fullText.clear();
    shownText.clear();
    lineWidths.clear();
    revealedCount = 0;
    soundCounter = 0;
    widestLine = 0;
    lineCount = 0;
    if (text == nullptr) return;
    fullText = text;
    SplitLines();
}

void GAME_CEventText::Append(std::u16string_view more)
{
    fullText += more;
    SplitLines();
}

void GAME_CEventText::SplitLines()
{
    lineWidths.clear();
    widestLine = 0;
    for (const std::u16string& line : SplitTextLines(fullText)) {
        const auto width = static_cast<std::int32_t>(MeasureUIText(line));
        lineWidths.push_back(width);
        widestLine = std::max(widestLine, width);
    }
    lineCount = static_cast<std::int32_t>(lineWidths.size());
}

void GAME_CEventText::TypeOut(bool fast)
{
    float step = speed > 0.0f ? speed : kNormalSpeed;
    if (fast) step = std::max(step * kFastFactor, kFastFactor);
    revealAccumulator += step;
    const auto count = static_cast<std::uint32_t>(revealAccumulator);
    if (count < 1) return;
    revealedCount += count;
    revealAccumulator -= static_cast<float>(count);
    const auto length = static_cast<std::uint32_t>(fullText.size());
    revealedCount = std::min(revealedCount, length);
    const std::size_t shownBefore = shownText.size();
    shownText.assign(fullText, 0, revealedCount);
    soundCounter += count;
    if (soundCounter > static_cast<std::uint32_t>(step)) {
        soundCounter = 0;
        if (shownText.size() > shownBefore && typingSound != kNoSound) PlayUISE(typingSound);
    }
}

void GAME_CEventText::RevealAll()
{
    // The rest appears silently.
    soundCounter = 0;
    revealAccumulator = 0.0f;
    revealedCount = static_cast<std::uint32_t>(fullText.size());
}
