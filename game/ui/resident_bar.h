// The resident bar and its info bar, the ticker of short notices along the screen.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "game/ui/ui_base.h"

class GAME_CUIInfoBarObject {
public:
    static constexpr int kRowCount = 8;
    static constexpr std::size_t kRowLength = 256;

    struct Row {
        std::u16string text;
        std::uint32_t kind = 0;
    };

    // The first empty row takes the text; false when the text is null or no row is free.
    bool AddMessage(const char16_t* text, std::uint32_t kind);
    bool ClearMessages();
    int CountMessages() const;
    const Row& GetRow(int index) const { return rows_[static_cast<std::size_t>(index)]; }

private:
    std::array<Row, kRowCount> rows_{};
};

class GAME_CUIResident : public GAME_CUIBase {
public:
    GAME_CUIInfoBarObject infoBar;
};
