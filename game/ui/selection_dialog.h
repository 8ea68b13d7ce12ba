// The shared yes/no dialog: one widget that every screen (and the start-up) asks its questions with.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "game/services/text/fixed_string.h"
#include "game/ui/widgets/ui_icon_object.h"
#include "game/ui/widgets/ui_label_object.h"
#include "game/ui/widgets/ui_null_object.h"
#include "game/ui/widgets/ui_object_base.h"

// A screen opens it with its own slot, fills the message and the button labels and polls the answer in
// its own update; the screen draws it. Yes/no mode has two stacked choices and a blinking cursor;
// one-button mode has an enter button and closes itself when it is pressed. Four lines of at most 63
// characters are kept; further lines and characters are dropped.
class GAME_CUIInDisplaySelectionObject : public GAME_CUIObjectBase {
public:
    static constexpr std::int32_t kNoAnswer = -1;
    static constexpr std::int32_t kAnswerYes = 0;
    static constexpr std::int32_t kAnswerNo = 1;
    static constexpr std::size_t kLineCount = 4;
    static constexpr std::size_t kLineChars = 64;
    static constexpr std::uint32_t kMaxOwnerSlot = 50;
    // The box's place on the canvas and the area outside which a click closes a closable dialog.
    static constexpr float kBoxX = 180.0f;
    static constexpr float kBoxY = 94.0f;
    // Where the message's first line starts in the box, and the width its lines are centred across.
    static constexpr float kTextLeft = 21.0f;
    static constexpr float kTextTop = 10.0f;
    static constexpr float kTextWidth = 280.0f;
    static constexpr float kKeepAreaWidth = 164.0f;
    static constexpr float kKeepAreaHeight = 131.0f;

    GAME_CUIInDisplaySelectionObject();
    ~GAME_CUIInDisplaySelectionObject() override;

    void Open(std::uint32_t ownerSlot, std::uint32_t ignored, bool yesNoMode);
    void Close();
    void SetYesNoMode(bool yesNo);
    // Message only: no button at all.
    void SetNoButtonMode();
    bool IsMessageOnly() const;
    void ClearMessage();
    void ResetButtons();
    void SetMessageText(const char16_t* text);
    void SetMessageByKey(const char* key);
    void AppendMessageText(const char16_t* text, bool lineBreakFirst);
    void AppendAreYouSure();
    void AppendNumber(std::int32_t number);
    // Yes/no mode: the key labels choice 0 or 1 (both are shown); one-button mode: the enter button's.
    void SetButtonText(int index, const char* key);
    void ClearImages();
    // Image 0..3 shows the sprite with its top left at (x, y) inside the box.
    void SetImage(std::size_t index, std::int32_t sprite, float x, float y);

    void Update(bool input) override;
    void Draw() override;
    bool IsVisible() const override { return visible; }
    bool IsBusy() const override { return visible; }
    const vesk::math::Vec2* GetPosition() const override { return &kZero; }
    const vesk::math::Vec2* GetPivot() const override { return &kZero; }
    const vesk::math::Vec2* GetScale() const override { return &kOne; }
    const vesk::math::Vec2* GetSize() const override { return &kZero; }
    float GetRotation() const override { return 0.0f; }

    // The stored lines, for those who lay out or test the message.
    std::size_t LineCount() const { return lineCount_; }
    const UTL_CFixedWString<kLineChars>& Line(std::size_t index) const { return lines_[index]; }
    std::size_t LongestLineChars() const { return longestChars_; }
    const std::u16string& Message() const { return message_; }
    GAME_CUIIconObject* EnterButton() const { return enter_; }
    GAME_CUIIconObject* ChoiceButton(int index) const { return choices_[index == 0 ? 0 : 1]; }
    GAME_CUINullObject* CursorWidget() const { return cursor_; }

    // Read and written by the screens directly.
    bool visible = false;  // the shown flag
    bool active = false;
    bool yesNoMode = false;
    bool closable = false;
    std::int32_t answer = kNoAnswer;
    std::int32_t cursorIndex = 0;
    std::uint32_t ownerSlot = 0;
    std::int32_t alignment = 0;  // 0 left, 1 centred, 2 right-aligned
    std::int32_t state = 0;      // 0 closed, 1 opening, 2 main, 3 closing
    std::int32_t nextState = 0;
    std::array<std::uint32_t, kLineCount> lineColors{};
    // Called once when the dialog has gone (answered or not), then forgotten.
    std::function<void()> whenGone;

private:
    // Set by SetNoButtonMode until a mode or a button text brings a button back.
    bool messageOnly_ = false;
    // The UI sprites by name: the dialog can be made before the UI package is loaded (the start-up
    // asks its first questions early), so it looks them up again each time it opens.
    void FindSprites();
    void Layout();
    void MainHandling(bool input);
    void ShowForMode();
    void HideWidget(GAME_CUIObjectBase* widget);
    bool AnyOwnedBusyOrDecided() const;
    void DrawLines();

    void OnFirstChoice();
    void OnSecondChoice();
    void OnChoiceContact(GAME_CUIIconObject* icon);

    std::vector<GAME_CUIObjectBase*> owned_;  // draw order
    GAME_CUINullObject* box_ = nullptr;
    GAME_CUINullObject* separator_ = nullptr;
    GAME_CUINullObject* anchor_ = nullptr;
    GAME_CUINullObject* cursor_ = nullptr;
    GAME_CUIIconObject* enter_ = nullptr;
    GAME_CUILabelObject* enterLabel_ = nullptr;
    std::array<GAME_CUIIconObject*, 2> choices_{};
    std::array<GAME_CUILabelObject*, 2> choiceLabels_{};
    std::array<GAME_CUINullObject*, 4> images_{};
    std::int32_t cursorSprite_ = -1;

    std::u16string message_;
    std::array<UTL_CFixedWString<kLineChars>, kLineCount> lines_{};
    std::size_t lineCount_ = 0;
    std::size_t longestChars_ = 0;
    float longestPixels_ = 0.0f;
    bool layoutDone_ = false;
    std::uint32_t blink_ = 0;
};

// The one dialog, made on first use (null only when no memory is left).
GAME_CUIInDisplaySelectionObject* GetInDisplaySelection();
// Closes the dialog when it is shown (a screen closing takes its question with it).
void CloseInDisplaySelectionIfShown();
// The screen manager's destructor ends it.
void DestroyInDisplaySelection();
