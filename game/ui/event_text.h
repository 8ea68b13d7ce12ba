// The event window's text: the whole text, the part typed out so far, its measured lines and the typing.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "framework/math/vector.h"

class GAME_CEventText {
public:
    // Characters a frame at the normal speed, and how much faster a held CANCEL types.
    static constexpr float kNormalSpeed = 1.0f;
    static constexpr float kFastFactor = 6.0f;
    static constexpr std::int32_t kNoSound = -1;

    // Empties everything (null: stays empty) and starts typing the text from its first character.
    void SetText(const char16_t* text);
    // More text: typing goes on from where it is into the added part.
    void Append(std::u16string_view more);
    // Measures the lines of the full text in the player's font.
    void SplitLines();
    // One frame of typing, fast while CANCEL is held; the typing sound plays every few characters.
    void TypeOut(bool fast);
    // The next TypeOut shows all the rest at once, without the typing sound.
    void RevealAll();
    // Every character of the full text is shown (an empty text counts as shown).
    bool AllShown() const { return shownText.size() == fullText.size(); }

    std::u16string fullText;
    // Always a prefix of the full text.
    std::u16string shownText;
    std::vector<std::int32_t> lineWidths;
    std::uint32_t revealedCount = 0;
    float revealAccumulator = 0.0f;
    float speed = kNormalSpeed;
    std::int32_t typingSound = kNoSound;
    std::uint32_t soundCounter = 0;
    // Where the window drew the text last (its top-left corner).
    vesk::math::Vec2 textPosition{0.0f, 0.0f};
    std::int32_t widestLine = 0;
    std::int32_t lineCount = 0;
};
