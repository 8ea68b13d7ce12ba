// One line of text: a message key looked up at every draw, or a literal wide text.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "game/ui/widgets/ui_placed_object.h"

struct UILabelObjectDesc {
    char key[256];
    std::uint32_t color;
    float positionX, positionY;
    float pivotX, pivotY;
    float scale;
    std::int32_t nudge;
};
UILabelObjectDesc* InitUILabelObjectDesc(UILabelObjectDesc* desc);

// Aligns itself on its pivot (fractions of the text's width and line height) and follows its parent's
// scale. The text is drawn literally: a "%" is a character.
class GAME_CUILabelObject : public GAME_CUIPlacedObject {
public:
    static constexpr std::size_t kKeyLimit = 255;
    static constexpr std::size_t kTextLimit = 127;

    explicit GAME_CUILabelObject(const UILabelObjectDesc* desc = nullptr);

    // Key mode: the text of the key in the current language (the key itself when missing).
    void SetTextA(const char* key);
    // Literal mode: at most 127 characters.
    void SetTextW(const char16_t* text);
    void SetColor(std::uint32_t color) { color_ = color; }
    // The font slot the text is drawn with; -1 (the default) is the player's font.
    void SetFontSlot(int slot) { fontSlot_ = slot; }
    int FontSlot() const { return fontSlot_; }
    std::uint32_t Color() const { return color_; }
    bool IsLiteral() const { return literal_ != 0; }
    // The key (key mode) or an empty string.
    const char* Key() const { return literal_ == 0 ? reinterpret_cast<const char*>(buffer_.data()) : ""; }
    // The literal (literal mode) or an empty text.
    std::u16string_view Literal() const;

    void Draw() override;
    // The text's own scale (its first value); the transform's scale stays (1, 1).
    void SetScale(const vesk::math::Vec2* scale) override { textScale_ = scale->x; }

private:
    // The key's text in the current language, looked up again only when the key or the message
    // table changes (texts naming bound keys are expanded at every draw, as the device in use may
    // change). The player's language changes a frame before its table comes: the table decides.
    std::u16string_view KeyText();

    // 256 bytes: a narrow key of up to 255 characters or a wide literal of up to 127.
    alignas(char16_t) std::array<std::uint8_t, 256> buffer_{};
    std::uint32_t literal_ = 0;
    std::uint32_t color_ = 0xFFFFFFFFu;
    float textScale_ = 1.0f;
    int fontSlot_ = -1;
    std::int32_t nudge_ = 0;
    std::u16string cache_;
    std::uint32_t cacheGeneration_ = 0;
    bool cacheValid_ = false;
    bool cacheNamesKeys_ = false;
};
