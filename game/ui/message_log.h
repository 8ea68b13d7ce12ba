// The message log screen: the last 64 lines of the game's notices.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "game/ui/ui_screen.h"

class GAME_CUIMessageLog : public GAME_CUIScreen {
public:
    static constexpr int kLineCount = 64;
    static constexpr std::size_t kLineLength = 255;

    struct Line {
        std::u16string text;
        std::uint32_t kind = 0;
    };

    // The first empty line takes the text; when all are used every line moves up by one.
    void AddMessage(std::u16string_view text, std::uint32_t kind);
    int CountLines() const;
    const Line& GetLine(int index) const { return lines_[static_cast<std::size_t>(index)]; }

private:
    std::array<Line, kLineCount> lines_{};
};
