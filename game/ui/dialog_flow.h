// The dialog flow: how a screen asks, tells and shows work under way in the shared dialog, and hears back.
#pragma once

#include <cstdint>
#include <span>
#include <string>

class GAME_CGameWorld;

// What became of a question: still waiting, the first button, the second (the dialog is closed by
// then), or the dialog has gone (closed by its screen, a cancel, another close). A notice waits until
// it has gone.
enum class UIDialogAnswer { kNone, kYes, kNo, kGone };

// An item line under a question: the item's text, and its icon (a UI sprite, or none) left of the
// centred line. The dialog has four icons; further items are listed without one.
struct UIDialogItem {
    std::u16string text;
    std::int32_t icon = -1;
    // The line's colour word; 0 for the dialog's text colour.
    std::uint32_t color = 0;
};

struct UIDialogText {
    std::u16string text;
    bool centred = false;
    // The cursor starts on the first button rather than on "no".
    bool focusOnYes = false;
    bool areYouSure = false;
    // The world whose game stands still (its menu-pause flag) until the dialog goes, answered or not;
    // a notice that follows in the same dialog keeps it standing. Null: the game runs on.
    GAME_CGameWorld* holdsGame = nullptr;
    std::span<const UIDialogItem> items{};
    // A notice's one button: its caption's key.
    const char* noticeButton = "COMMAND_YES";
    // A question's two buttons: their captions' keys.
    const char* yesButton = "COMMAND_YES";
    const char* noButton = "COMMAND_NO";
};

// A yes/no question; the dialog is opened for the owner slot unless it is up already and stays.
void AskInDialog(std::uint32_t owner, const UIDialogText& question);
// A message with one button (yes); the dialog closes itself when it is pressed. atOnce lays the
// dialog out in this frame, for a screen that tells after the manager's dialog step.
void NoticeInDialog(std::uint32_t owner, const UIDialogText& notice, bool atOnce = false);
// Work under way: the button stands without a word and takes no input.
void BusyInDialog(std::uint32_t owner);
// A message alone, without a button: it takes no input and stays until its screen closes it or
// tells on in it.
void PromptInDialog(std::uint32_t owner, const std::u16string& text);
// The message of a question, notice or busy dialog that is up (a running text, dots and all).
void SetDialogText(const std::u16string& text);
// A running text as that message: the key's text and the waiting dots of the frame count, cut to
// `limit` characters.
void SetDialogRunningText(const char* key, std::uint32_t frames, std::size_t limit = std::u16string::npos);
// A no closes the dialog; a yes leaves it up for its screen to close or to tell on.
UIDialogAnswer PollDialog();
bool IsDialogShown();
void CloseDialog();
// As if its first button were pressed: for those who wait on a yes after the dialog has gone.
void CloseDialogAnsweringYes();
// Draws the dialog when it is shown; false when it is not.
bool DrawDialogIfShown();

// A question's answer as a page flow: a yes goes to `yes`, a no or a gone dialog to `back`; while it
// is unanswered the pages stay. True on the yes, for what it does besides.
template <typename Pages, typename Page>
bool FollowDialogAnswer(Pages& pages, Page yes, Page back)
{
    switch (PollDialog()) {
    case UIDialogAnswer::kYes: pages.Go(yes); return true;
    case UIDialogAnswer::kNo:
    case UIDialogAnswer::kGone: pages.Go(back); break;
    case UIDialogAnswer::kNone: break;
    }
    return false;
}
