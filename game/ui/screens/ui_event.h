// The event window (slot 25): the story's texts typed out over the dimmed canvas until the player confirms them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "game/ui/event_text.h"
#include "game/ui/ui_screen.h"

// Route scripts replace its text (a message key or a literal) or append to it, and wait until the
// player has confirmed it. It types a character a frame (six while CANCEL is held); DECIDE or a
// click completes the text and, once all of it is shown, confirms it, which sets `finished`. A
// character 27 starts a new line. It opens and closes in one frame each, and only the script or
// the travel controller closes it.
class GAME_CUIEvent : public GAME_CUIScreen, public UIScreenSlot<kSlotEvent> {
public:
    static constexpr char16_t kNewLine = u'\x1b';
    // Half-opaque black over the whole canvas.
    static constexpr std::uint32_t kDimColor = 0x80000000u;
    static constexpr std::int32_t kPromptPeriod = 32;
    static constexpr std::int32_t kPromptShownFrom = 16;
    static constexpr float kPanelTextX = 175.0f;
    static constexpr float kPanelFirstBaseY = 88.0f;
    // Lines of text the panel has rules for; the prompt stands on the rule below them. A longer text
    // (events met one inside another add theirs) shows its last lines.
    static constexpr std::size_t kPanelLines = 8;

    explicit GAME_CUIEvent(const UIScreenContext& context);

    // A message key (null: the window empties); the text becomes the key's text.
    void SetMessageKey(const char* key);
    // A literal text (null: the window empties); typing starts anew at its first character.
    void SetText(const char16_t* text);
    // More text: clears `finished` and types on from where the typing stands.
    void AppendText(std::u16string_view text);

    // The sound effect typing plays (-1: none).
    void SetTypingSound(std::int32_t id) { text_.typingSound = id; }
    bool IsFinished() const { return finished != 0; }
    // A text set but not yet taken by an update is not shown yet.
    bool AllShown() const { return textChanged == 0 && text_.AllShown(); }
    const GAME_CEventText& Text() const { return text_; }
    // The prompt to read on, from the message texts.
    static std::u16string PromptText();
    // Where the prompt stands: ending at the canvas's middle, under the last line shown.
    vesk::math::Vec2 PromptPosition() const;
    // The prompt is due: lines to show, all of them shown, and the blink in its lit half.
    bool IsPromptShown() const;

    void PreDraw() override;
    void Draw() override {}

    // The window's copy of the current text.
    std::u16string pendingText;
    // The picture at the canvas's lower left: a sprite of a sprite group, its scale and mirror flags.
    std::int32_t pictureSprite = kNoSprite;
    float pictureScale = 1.0f;
    std::int32_t pictureGroup = kUISpriteGroup;
    std::uint32_t pictureFlipX = 0;
    std::uint32_t pictureFlipY = 0;
    std::uint32_t textChanged = 0;
    // Set only by the player's confirmation of a fully shown text.
    std::uint32_t finished = 0;
    std::int32_t promptCounter = 0;
    std::uint32_t textColor = kUIWhite;

protected:
    void OnEnterState(UIScreenState state) override;
    void EveryFrame() override;
    void UpdateMain(bool input) override;

private:
    void ResetPicture();
    void DrawPanel() const;
    void DrawLines() const;

    GAME_CEventText text_;
    std::int32_t bgSprite_ = kNoSprite;
    std::int32_t rightSprite_ = kNoSprite;
    std::int32_t leftSprite_ = kNoSprite;
    std::int32_t separatorSprite_ = kNoSprite;
    std::int32_t iconSprite_ = kNoSprite;
};
