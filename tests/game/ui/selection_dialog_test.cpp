// The shared dialog as a screen uses it: opening, answering with keys, cancelling, and its line store.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "game/services/input/input_actions.h"
#include "game/services/text/language.h"
#include "game/services/text/message_text.h"
#include "game/ui/selection_dialog.h"
#include "game/ui/text_lines.h"
#include "game/ui/ui_draw.h"
#include "tests/game/ui/ui_test_base.h"

namespace {

using Dialog = GAME_CUIInDisplaySelectionObject;

class SelectionDialogTest : public support::UITest {
protected:
    Dialog& dialog = *GetInDisplaySelection();

    bool WaitForAnswer() { return StepUntil([&] { return dialog.answer != Dialog::kNoAnswer; }, 30); }
};

TEST_F(SelectionDialogTest, OneButtonAndYesNoDialogsAnswerAsTheKeysSay)
{
    // One button: shown at once with no answer; decide answers 0 and the dialog closes by itself.
    dialog.Open(kSlotCommon, 0, false);
    EXPECT_EQ(dialog.answer, Dialog::kNoAnswer);
    EXPECT_TRUE(dialog.IsVisible());
    dialog.SetMessageByKey("ARE_YOU_SURE");
    dialog.SetButtonText(0, "COMMAND_YES");
    StepFrames(3);
    PressAction(kActionDecide);
    ASSERT_TRUE(WaitForAnswer());
    EXPECT_EQ(dialog.answer, Dialog::kAnswerYes);
    ASSERT_TRUE(StepUntil([&] { return !dialog.visible; }, 5));

    // Yes/no: each cursor move plays the cursor sound; decide answers the choice under the cursor and
    // the dialog stays up until its screen closes it.
    dialog.Open(kSlotCommon, 0, true);
    dialog.SetButtonText(0, "COMMAND_YES");
    dialog.SetButtonText(1, "COMMAND_NO");
    StepFrames(3);
    PressAction(kActionCursorDown);
    StepFrames(1);
    EXPECT_TRUE(Played(kSeCursor));
    EXPECT_EQ(dialog.cursorIndex, 1);
    PressAction(kActionCursorUp);
    StepFrames(1);
    EXPECT_TRUE(Played(kSeCursor));
    EXPECT_EQ(dialog.cursorIndex, 0);
    // Held, the cursor key repeats: the cursor goes back and forth more than once.
    int moves = 0;
    HoldAction(kActionCursorDown, 60);
    for (int i = 0; i < 60; ++i) {
        StepFrames(1);
        moves += Played(kSeCursor) ? 1 : 0;
    }
    EXPECT_GT(moves, 2);
    StepFrames(2);
    if (dialog.cursorIndex == 0) {
        PressAction(kActionCursorDown);
        StepFrames(3);
    }
    PressAction(kActionDecide);
    ASSERT_TRUE(WaitForAnswer());
    EXPECT_EQ(dialog.answer, Dialog::kAnswerNo);
    StepFrames(3);
    EXPECT_TRUE(dialog.visible);
    dialog.Close();
    StepFrames(1);
    EXPECT_FALSE(dialog.visible);

    // Closable: cancel plays the cancel sound, closes and leaves no answer; so does a click far outside.
    dialog.Open(kSlotCommon, 0, true);
    dialog.closable = true;
    StepFrames(3);
    PressAction(kActionCancel);
    StepFrames(1);
    EXPECT_TRUE(Played(kSeCancel));
    StepFrames(1);
    EXPECT_FALSE(dialog.visible);
    EXPECT_EQ(dialog.answer, Dialog::kNoAnswer);
    dialog.Open(kSlotCommon, 0, true);
    dialog.closable = true;
    StepFrames(3);
    ClickAt(10, 10);
    StepFrames(2);
    EXPECT_FALSE(dialog.visible);

    // An owner slot above 50 is kept as 50.
    dialog.Open(99, 0, false);
    EXPECT_EQ(dialog.ownerSlot, 50u);
    dialog.Close();
    StepFrames(1);
}

TEST_F(SelectionDialogTest, TheLineStoreKeepsFourLinesOfSixtyThreeCharacters)
{
    dialog.Open(kSlotCommon, 0, false);
    dialog.SetMessageText(u"one\ntwo\nthree\nfour\nfive\nsix");
    StepFrames(1);
    ASSERT_EQ(dialog.LineCount(), 4u);
    EXPECT_EQ(std::u16string(dialog.Line(3).c_str()), u"four");

    // Two texts joined by a line feed are two lines; a trailing line feed adds none.
    dialog.ClearMessage();
    dialog.SetMessageText(u"first");
    dialog.AppendMessageText(u"second", true);
    StepFrames(1);
    EXPECT_EQ(dialog.LineCount(), 2u);
    dialog.SetMessageText(u"alone\n");
    StepFrames(1);
    EXPECT_EQ(dialog.LineCount(), 1u);

    // A line longer than the store keeps its first 63 characters; numbers append in full width.
    dialog.SetMessageText(std::u16string(300, u'x').c_str());
    dialog.AppendNumber(42);
    StepFrames(1);
    EXPECT_EQ(dialog.LongestLineChars(), 63u);
    EXPECT_EQ(dialog.Message().substr(dialog.Message().size() - 2), u"\uFF14\uFF12");
    dialog.Close();
    StepFrames(1);
}

// The fixed questions and notices of the start-up, the engine room, the bindings and a refused task
// order keep to the dialog's four lines in every language, each inside the box less the margin on either side.
TEST_F(SelectionDialogTest, TheFixedQuestionsAndNoticesFitTheBoxInEveryLanguage)
{
    const std::pair<const char*, bool> texts[] = {
        {"SCENE_INIT_SAVEDATA_NOCREATEYESNO", false}, {"SCENE_INIT_SAVEDATA_CREATEFAILED", false},
        {"SCENE_INIT_SAVEDATA_BROKEN", false},        {"SCENE_INIT_NOSOUND_DEVICE", false},
        {"ENGINEROOM_SHAFTCONNECT", true},            {"ENGINEROOM_SHAFTDISCONNECT", true},
        {"ADD_TEXT_UI_CONFIG_DIALOG_XINPUT_01", false}, {"ADD_TEXT_UI_CONFIG_DIALOG_02", false},
        {"ADDTASK_TEXT_ERROR_FATALERROR", false},     {"ADDTASK_TEXT_ERROR_TASK_NUM", false},
        {"ADDTASK_TEXT_ERROR_ALREADY", false},        {"ADDTASK_TEXT_ERROR_ONLYONE", false},
        {"ADDTASK_TEXT_ERROR_NEED_UPGRADE", false},
    };
    for (std::uint32_t language = 0; language < kLanguageCount; ++language) {
        ChooseLanguage(language);
        const std::string_view file = GetMessageFileForLanguage(language);
        for (const auto& [key, areYouSure] : texts) {
            std::u16string text = GetMessageTextExpanded(key);
            if (areYouSure) {
                text += u'\n';
                text += GetMessageTextExpanded("ARE_YOU_SURE");
            }
            ExpectFitsDialog(text, std::string(file) + ": " + key);
        }
    }
}

}  // namespace
