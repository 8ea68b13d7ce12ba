// The event window (slot 25): for now a box that shows the event's text whole at once.
#pragma once

#include <cstdint>
#include <string>

#include "game/services/text/fixed_string.h"
#include "game/ui/ui_screen.h"

// The route script hands it a message key, a literal text or more text to append, and waits until
// the window is done: the whole text is shown at once, so the window is done by its next update.
// A character 27 in the text starts a new page: only the text after the last one is shown. It
// closes when asked to.
class GAME_CUIEvent : public GAME_CUIScreen, public UIScreenSlot<kSlotEvent> {
public:
    static constexpr char16_t kNewPage = u'\x1b';

    GAME_CUIEvent() : GAME_CUIScreen(UIInputRule::kBlocksWhileOpen, false) {}

    // A message key (null: none); the text becomes the key's text.
    void SetMessageKey(const char* key);
    // A literal text (null: none).
    void SetText(const char16_t* text);
    // Appends to the text; the part already shown stays.
    void AppendText(const char16_t* text);
    // The text on show: the page after the last new-page mark.
    std::u16string ShownText() const;
    bool IsDone() const { return done != 0; }

    void Draw() override;

    UTL_CFixedString<128> messageKey;
    std::u16string text;
    std::int32_t iconId = -1;
    float scale = 1.0f;
    std::int32_t mode = 2;
    std::int32_t flagA = 0;
    std::int32_t flagB = 0;
    // Cleared whenever text is set or added; set by the next update, the text being shown whole.
    std::uint32_t done = 0;
    std::uint32_t shownLength = 0;
    std::uint32_t totalLength = 0;
    std::int32_t seId = -1;
    std::uint32_t textColor = 0xFFFFFFFFu;

    void Update(bool input) override;

private:
    void TextChanged();
};
