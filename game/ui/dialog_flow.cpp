// The dialog flow over the shared dialog: asking, telling, busy, the one poll and the game's hold.
#include "game/ui/dialog_flow.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "game/services/player/player_data.h"
#include "game/services/text/message_text.h"
#include "game/model/world/game_world.h"
#include "game/ui/selection_dialog.h"
#include "game/ui/ui_draw.h"
#include "game/ui/ui_text.h"

namespace {

using Dialog = GAME_CUIInDisplaySelectionObject;

constexpr float kItemIconGap = 2.0f;
constexpr std::size_t kItemIcons = 4;

// A dialog that stays up (not closing) is reused; one that is gone or going is opened again.
bool StaysUp(const Dialog& dialog) { return dialog.visible && dialog.nextState != 3; }

void HoldGameUntilGone(Dialog& dialog, GAME_CGameWorld& world)
{
    world.held = 1;
    dialog.whenGone = [&world] { world.held = 0; };
}

void WriteText(Dialog& dialog, const UIDialogText& text)
{
    // A dialog told on in after a question keeps none of the question's item icons.
    dialog.ClearImages();
    dialog.SetMessageText(text.text.c_str());
    dialog.lineColors.fill(GetUIColor(kUIColorText));
    if (text.areYouSure) dialog.AppendAreYouSure();
    for (std::size_t i = 0; i < text.items.size(); ++i) {
        const UIDialogItem& item = text.items[i];
        dialog.AppendMessageText(item.text.c_str(), true);
        // The item's line is the one its line break began.
        const auto line = static_cast<std::size_t>(std::count(dialog.Message().begin(), dialog.Message().end(), u'\n'));
        if (line < dialog.lineColors.size()) dialog.lineColors[line] = item.color != 0 ? item.color : GetUIColor(kUIColorText);
        if (i >= kItemIcons || item.icon < 0) continue;
        // The icon stands just left of the centred line, level with it.
        const float lineWidth = MeasureUIText(item.text);
        const vesk::math::Vec2 icon = UISpriteSize(item.icon);
        const float x = Dialog::kTextLeft + std::floor((Dialog::kTextWidth - lineWidth) * 0.5f) - icon.x - kItemIconGap;
        const float lineHeight = UILineHeight();
        const float y = Dialog::kTextTop + lineHeight * static_cast<float>(line) + std::floor((lineHeight - icon.y) * 0.5f);
        dialog.SetImage(i, item.icon, x, y);
    }
    dialog.alignment = text.centred ? 1 : 0;
    if (text.holdsGame != nullptr) HoldGameUntilGone(dialog, *text.holdsGame);
}

}  // namespace

void AskInDialog(std::uint32_t owner, const UIDialogText& question)
{
    Dialog* dialog = GetInDisplaySelection();
    if (dialog == nullptr) return;
    if (StaysUp(*dialog)) {
        dialog->ClearMessage();
        dialog->ResetButtons();
        dialog->SetYesNoMode(true);
        dialog->active = true;
    } else {
        dialog->Open(owner, 0, true);
    }
    WriteText(*dialog, question);
    dialog->SetButtonText(0, question.yesButton);
    dialog->SetButtonText(1, question.noButton);
    dialog->cursorIndex = question.focusOnYes ? Dialog::kAnswerYes : Dialog::kAnswerNo;
    dialog->answer = Dialog::kNoAnswer;
}

void NoticeInDialog(std::uint32_t owner, const UIDialogText& notice, bool atOnce)
{
    Dialog* dialog = GetInDisplaySelection();
    if (dialog == nullptr) return;
    if (!StaysUp(*dialog)) {
        dialog->Open(owner, 0, false);
    } else if (dialog->yesNoMode || dialog->IsMessageOnly()) {
        // The question's buttons go at once, not over the next frames; a prompt's button comes back.
        dialog->SetYesNoMode(false);
        dialog->ResetButtons();
    }
    dialog->active = true;
    WriteText(*dialog, notice);
    dialog->SetButtonText(0, notice.noticeButton);
    dialog->cursorIndex = 0;
    if (!atOnce) return;
    dialog->UpdateTree(false);
    dialog->UpdateTree(false);
}

void BusyInDialog(std::uint32_t owner)
{
    Dialog* dialog = GetInDisplaySelection();
    if (dialog == nullptr) return;
    if (!StaysUp(*dialog)) dialog->Open(owner, 0, false);
    dialog->SetYesNoMode(false);
    dialog->active = false;
    dialog->answer = Dialog::kNoAnswer;
}

void PromptInDialog(std::uint32_t owner, const std::u16string& text)
{
    Dialog* dialog = GetInDisplaySelection();
    if (dialog == nullptr) return;
    if (!StaysUp(*dialog)) dialog->Open(owner, 0, false);
    dialog->SetNoButtonMode();
    dialog->active = false;
    dialog->answer = Dialog::kNoAnswer;
    dialog->SetMessageText(text.c_str());
}

void SetDialogText(const std::u16string& text)
{
    if (Dialog* dialog = GetInDisplaySelection()) dialog->SetMessageText(text.c_str());
}

void SetDialogRunningText(const char* key, std::uint32_t frames, std::size_t limit)
{
    std::u16string text = GetMessageTextExpanded(key);
    text += UIWaitingDots(frames);
    SetDialogText(UILimitedText(std::move(text), limit));
}

UIDialogAnswer PollDialog()
{
    Dialog* dialog = GetInDisplaySelection();
    if (dialog == nullptr) return UIDialogAnswer::kGone;
    if (!dialog->visible) return UIDialogAnswer::kGone;
    // A pressed notice closes itself: it is answered once it has gone.
    if (!dialog->yesNoMode) return UIDialogAnswer::kNone;
    if (dialog->answer == Dialog::kAnswerYes) return UIDialogAnswer::kYes;
    if (dialog->answer != Dialog::kAnswerNo) return UIDialogAnswer::kNone;
    dialog->Close();
    return UIDialogAnswer::kNo;
}

bool IsDialogShown()
{
    const Dialog* dialog = GetInDisplaySelection();
    return dialog != nullptr && dialog->visible;
}

void CloseDialog() { CloseInDisplaySelectionIfShown(); }

void CloseDialogAnsweringYes()
{
    Dialog* dialog = GetInDisplaySelection();
    if (dialog == nullptr || !dialog->visible) return;
    dialog->answer = Dialog::kAnswerYes;
    dialog->Close();
}

bool DrawDialogIfShown()
{
    Dialog* dialog = GetInDisplaySelection();
    if (dialog == nullptr || !dialog->visible) return false;
    dialog->Draw();
    return true;
}
