// The event window (slot 25): the story's texts typed out over the dimmed canvas until the player confirms them.
#include "game/ui/screens/ui_event.h"

#include <algorithm>
#include <vector>

#include "game/services/input/input_actions.h"
#include "game/services/text/message_text.h"
#include "game/ui/screen_context.h"
#include "game/ui/text_lines.h"
#include "game/ui/ui_manager.h"

namespace {

constexpr vesk::math::Vec2 kIconAt{274.0f, 101.0f};
constexpr vesk::math::Vec2 kBgAt{140.0f, 60.0f};
constexpr vesk::math::Vec2 kRightAt{492.0f, 55.0f};
constexpr vesk::math::Vec2 kLeftAt{133.0f, 55.0f};
constexpr float kSeparatorX = 157.0f;
constexpr float kFirstSeparatorY = 87.0f;
constexpr int kSeparatorCount = 9;
constexpr float kPictureX = 112.0f;
// The prompt to read on, in the player's language.
constexpr const char* kPromptKey = "EVENT_WINDOW_NEXT";

}  // namespace

GAME_CUIEvent::GAME_CUIEvent(const UIScreenContext& context)
    : GAME_CUIScreen({.input = UIInputRule::kBlocksWhileOpen, .mover = {.kind = UIMover::Kind::kImmediate}}, &context)
{
    bgSprite_ = FindUISprite("ui_eventwindow_bg");
    rightSprite_ = FindUISprite("ui_eventwindow_right");
    leftSprite_ = FindUISprite("ui_eventwindow_left");
    separatorSprite_ = FindUISprite("ui_eventwindow_separator");
    iconSprite_ = FindUISprite("ui_eventwindow_icon");
}

void GAME_CUIEvent::SetMessageKey(const char* key)
{
    SetText(nullptr);
    if (key != nullptr) SetText(GetMessageTextExpanded(key).c_str());
}

void GAME_CUIEvent::SetText(const char16_t* text)
{
    finished = 0;
    pendingText.clear();
    text_.SetText(nullptr);
    textChanged = 0;
    if (text == nullptr) return;
    pendingText = text;
    textChanged = 1;
}

void GAME_CUIEvent::AppendText(std::u16string_view text)
{
    pendingText += text;
    text_.Append(text);
    finished = 0;
}

void GAME_CUIEvent::ResetPicture()
{
    pictureSprite = kNoSprite;
    pictureScale = 1.0f;
    pictureGroup = kUISpriteGroup;
    pictureFlipX = 0;
    pictureFlipY = 0;
}

void GAME_CUIEvent::OnEnterState(UIScreenState state)
{
    if (state != kOpening) return;
    // What was set before the window opened is not shown.
    SetText(nullptr);
    ResetPicture();
}

void GAME_CUIEvent::EveryFrame()
{
    promptCounter = (promptCounter + 1) % kPromptPeriod;
    if (textChanged != 0) {
        text_.SetText(pendingText.c_str());
        textChanged = 0;
        return;
    }
    text_.TypeOut(IsUIActionHeld(kActionCancel));
}

void GAME_CUIEvent::UpdateMain(bool input)
{
    // The game-over screen withholds the input of the screens below it, not this window's.
    if (!input && !Context().ui.IsOpen(kSlotGameOver)) return;
    if (IsUIActionHeld(kActionCancel)) {
        if (AllShown()) finished = 1;
        return;
    }
    if (IsUIActionTriggered(kActionDecide) || IsUIClickInRect({0.0f, 0.0f}, {kCanvasWidth, kCanvasHeight})) {
        if (AllShown()) {
            finished = 1;
        } else {
            text_.RevealAll();
        }
    }
}

std::u16string GAME_CUIEvent::PromptText() { return GetMessageTextOrKey(kPromptKey); }

vesk::math::Vec2 GAME_CUIEvent::PromptPosition() const
{
    const std::size_t lines = std::min(static_cast<std::size_t>(std::max(text_.lineCount, 0)), kPanelLines);
    return {kCanvasWidth / 2.0f - static_cast<float>(static_cast<std::int32_t>(MeasureUIText(PromptText()))),
            text_.textPosition.y + static_cast<float>(lines) * kUILineStep};
}

bool GAME_CUIEvent::IsPromptShown() const
{
    return text_.widestLine != 0 && !pendingText.empty() && AllShown() && promptCounter >= kPromptShownFrom;
}

void GAME_CUIEvent::PreDraw()
{
    if (State() == kClosed) return;
    DrawUIRect({0.0f, 0.0f}, {kCanvasWidth, kCanvasHeight}, kDimColor);
    DrawPanel();
    text_.textPosition = {kPanelTextX, kPanelFirstBaseY - UILineHeight()};
    DrawLines();
    if (IsPromptShown()) DrawUIText(PromptPosition(), PromptText(), textColor);
    FlushUISprites();
    if (pictureSprite != kNoSprite) {
        vesk::graphics::DrawParam param;
        param.scaleX = pictureScale;
        param.scaleY = pictureScale;
        // The picture stands on the canvas's lower edge.
        param.pivotY = 1.0f;
        param.flipX = static_cast<std::int32_t>(pictureFlipX);
        param.flipY = static_cast<std::int32_t>(pictureFlipY);
        DrawGroupSprite(pictureGroup, {kPictureX, kCanvasHeight}, pictureSprite, param);
    }
}

void GAME_CUIEvent::DrawPanel() const
{
    BeginUISprites();
    if (pictureSprite != kNoSprite) DrawUISprite(kIconAt, iconSprite_);
    DrawUISprite(kBgAt, bgSprite_);
    DrawUISprite(kRightAt, rightSprite_);
    DrawUISprite(kLeftAt, leftSprite_);
    for (int k = 0; k < kSeparatorCount; ++k) {
        DrawUISprite({kSeparatorX, kFirstSeparatorY + kUILineStep * static_cast<float>(k)}, separatorSprite_);
    }
    FlushUISprites();
}

// The shown text line by line, one separator apart; its last lines when there are more than the
// panel holds, so that what types out stays in sight.
void GAME_CUIEvent::DrawLines() const
{
    const std::vector<std::u16string> lines = SplitTextLines(text_.shownText);
    const std::size_t first = lines.size() > kPanelLines ? lines.size() - kPanelLines : 0;
    float y = text_.textPosition.y;
    for (std::size_t i = first; i < lines.size(); ++i) {
        DrawUIText({text_.textPosition.x, y}, lines[i], textColor);
        y += kUILineStep;
    }
}
