// The ticker of the resident bar: rows of wide text that scroll leftwards across the bar and vanish.
#pragma once

#include <cstdint>

#include "game/ui/widgets/ui_placed_object.h"

struct UIInfoBarObjectDesc {
    std::uint32_t rowCount;
    float positionX, positionY;
    float width, height;
    float scrollSpeed;
    float unused;
};
UIInfoBarObjectDesc* InitUIInfoBarObjectDesc(UIInfoBarObjectDesc* desc);

// Kinds of a ticker line and their colours: 0 general, 1 autosave, 2 bad news, 3 good news, 4 achievement.
inline constexpr std::uint32_t kTickerKindCount = 5;

// The rows are allocated once at construction. Texts are drawn literally ("%" is a character); a kind
// outside 0..4 takes kind 0's colour. IsVisible stays false: its owner draws it.
class GAME_CUIInfoBarObject : public GAME_CUIPlacedObject {
public:
    static constexpr std::size_t kRowChars = 256;

    struct Row {
        char16_t text[kRowChars];
        float offset;  // pixels, relative to the bar's right edge
        std::uint32_t kind;
        // The language the text was written in: a row outlives a change of language.
        std::uint32_t language;
    };

    explicit GAME_CUIInfoBarObject(const UIInfoBarObjectDesc* desc = nullptr);
    ~GAME_CUIInfoBarObject() override;

    // False for a null text or when every row is in use.
    bool AddMessage(const char16_t* text, std::uint32_t kind);
    std::uint32_t CountMessages() const;
    // Empties every row.
    bool ClearMessages();
    std::uint32_t RowCount() const { return rowCount_; }
    const Row& GetRow(std::uint32_t index) const { return rows_[index]; }

    void Update(bool input) override;
    void Draw() override;

private:
    // The row's width in the font it is drawn with.
    static float RowWidth(const Row& row);

    Row* rows_ = nullptr;
    std::uint32_t rowCount_ = 0;
    float scrollSpeed_ = 0.0f;
};
