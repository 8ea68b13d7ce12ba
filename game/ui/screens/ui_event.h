// The event window (slot 25): for now a screen that opens and closes, keeping the event's text and look.
#pragma once

#include <cstdint>
#include <string>

#include "game/ui/fixed_string.h"
#include "game/ui/ui_screen.h"

class GAME_CUIEvent : public GAME_CUIScreen {
public:
    GAME_CUIEvent() : GAME_CUIScreen(UIInputRule::kBlocksWhileOpen, false) {}

    // A message key (null: none).
    void SetMessageKey(const char* key) { messageKey.Assign(key); }
    // A literal text (null: none).
    void SetText(const char16_t* text) { this->text = text != nullptr ? text : u""; }
    // Appends to the text, keeping what is shown already; the window is busy again.
    void AppendText(const char16_t* more)
    {
        if (more == nullptr) return;
        text += more;
        totalLength = static_cast<std::int32_t>(text.size());
        done = 0;
    }
    // Until the window shows text itself, it has shown all of it by its next update.
    void Update(bool input) override
    {
        GAME_CUIScreen::Update(input);
        totalLength = static_cast<std::int32_t>(text.size());
        shownLength = totalLength;
        done = 1;
    }

    UTL_CFixedString<128> messageKey;
    std::u16string text;
    std::int32_t iconId = -1;
    float scale = 1.0f;
    std::int32_t mode = 2;
    std::int32_t flagA = 0;
    std::int32_t flagB = 0;
    std::uint32_t done = 0;  // cleared whenever text is added, set once the window has finished
    std::int32_t shownLength = 0;
    std::int32_t totalLength = 0;
    std::int32_t seId = -1;
    std::uint32_t textColor = 0xFFFFFFFF;
};
