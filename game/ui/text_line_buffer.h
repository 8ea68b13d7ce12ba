// The 32-line buffer a rumour's text is laid out in, for the pub and the rumour log.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// Each line feed, carriage return or ESC ends a line, so a CR LF pair leaves an empty line between;
// the line after the last break counts even when empty. A text with more than 31 breaks keeps its
// first 32 lines and drops the rest.
class GAME_CTextLineBuffer {
public:
    static constexpr std::size_t kLines = 32;

    // Every line empty, the count 0.
    void Clear();
    // Clears, then lays the text out (up to its first 0).
    void Fill(std::u16string_view text);

    std::uint32_t Count() const { return count_; }
    // Empty past the count.
    const std::u16string& Line(std::size_t index) const;

private:
    std::array<std::u16string, kLines> lines_{};
    std::uint32_t count_ = 0;
};
