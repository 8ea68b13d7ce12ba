// The save-slot screen: where its cursor starts and wraps, what its rows say, saving with its failures, and the load preview.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "framework/text/format_text.h"
#include "game/services/player/player_data.h"
#include "game/services/input/input_actions.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_manager.h"
#include "game/services/text/full_width.h"
#include "game/services/text/language.h"
#include "game/services/text/message_text.h"
#include "game/model/world/game_world.h"
#include "game/ui/screens/ui_save_slot.h"
#include "game/ui/screens/ui_title.h"
#include "game/ui/selection_dialog.h"
#include "game/ui/ui_draw.h"
#include "platform/file_system.h"
#include "platform/little_endian.h"
#include "tests/game/ui/ui_test_base.h"
#include "tests/support/scratch_folder.h"

namespace {

using namespace save_layout;

class SaveSlotTest : public support::UITest {
protected:
    GAME_CUISaveSlot& Screen() const { return *UI().Get<GAME_CUISaveSlot>(); }
    GAME_CUIInDisplaySelectionObject& Dialog() const { return *GetInDisplaySelection(); }

    void Open(bool load)
    {
        if (load) Screen().loadMode = 1;
        UI().SetOpen(kSlotSaveSlots, true);
        ASSERT_TRUE(StepUntil([&] { return Screen().State() == UIScreenState::kMain; }, 30));
        StepFrames(1);
    }

    void Press(int action)
    {
        PressAction(action);
        StepFrames(1);
    }

    // A slot of the save image that has been played, saved on 5 March 2027.
    static std::span<std::uint8_t> PlayedSlot(int slot, std::uint32_t seconds)
    {
        std::span<std::uint8_t> record = GetSaveAreas().ImageSlot(slot);
        platform::WriteU32(record, slot::kPlaySeconds, seconds);
        const std::uint32_t stamp[8] = {2027, 3, 5, 14, 7, 9, 0, 5};
        for (std::size_t i = 0; i < 8; ++i) platform::WriteU32(record, slot::kLastSaveTime + 4 * i, stamp[i]);
        return record;
    }

    static bool MessageHas(const char* key)
    {
        return GetInDisplaySelection()->Message().find(GetMessageTextExpanded(key)) != std::u16string::npos;
    }
};

TEST_F(SaveSlotTest, SaveModeStartsOnSlotOneWrapsBothWaysAndNeverChoosesTheAutosave)
{
    GetSaveManager()->currentSlot = 0;
    ASSERT_NO_FATAL_FAILURE(Open(false));
    EXPECT_EQ(Screen().SelectedSlot(), 1);
    EXPECT_TRUE(Screen().IsRowHighlighted(1));
    EXPECT_FALSE(Screen().IsRowHighlighted(0));

    Press(kActionCursorUp);
    EXPECT_EQ(Screen().SelectedSlot(), 9);
    EXPECT_EQ(Screen().GetScrollTop(), 6);
    EXPECT_EQ(Screen().GetCursorRow(), 2);
    StepFrames(1);
    Press(kActionCursorDown);
    EXPECT_EQ(Screen().SelectedSlot(), 1);
    EXPECT_EQ(Screen().GetScrollTop(), 0);

    // A click on the autosave row does nothing; a click on another row moves the cursor there, and
    // a second one asks whether to save.
    ClickAt(400, 40);
    StepFrames(9);
    EXPECT_EQ(Screen().SelectedSlot(), 1);
    EXPECT_EQ(Screen().GetSubState(), GAME_CUISaveSlot::kList);
    ClickAt(400, 230);
    StepFrames(9);
    EXPECT_EQ(Screen().SelectedSlot(), 2);
    ClickAt(400, 230);
    StepFrames(11);
    EXPECT_EQ(Screen().GetSubState(), GAME_CUISaveSlot::kSaveQuestion);
    EXPECT_TRUE(MessageHas("PAUSEUI_SAVE_YESNO"));
}

// The title stands beside the rows, which scroll past it: in every language and both modes it ends
// short of the rows' left edge.
TEST_F(SaveSlotTest, TheTitleEndsLeftOfTheSlotRowsInEveryLanguage)
{
    for (std::uint32_t language = 0; language < kLanguageCount; ++language) {
        ChooseLanguage(language);
        const std::string_view file = GetMessageFileForLanguage(language);
        for (const bool load : {false, true}) {
            ASSERT_NO_FATAL_FAILURE(Open(load));
            const std::u16string title =
                GetMessageTextExpanded(load ? "ADD_TEXT_UI_SAVELOAD_LOAD_TITLE" : "ADD_TEXT_UI_SAVELOAD_SAVE_TITLE");
            const support::RecordedTextDraw* drawn = FindTextDraw(title);
            const support::RecordedSpriteDraw* rowEdge = FindSpriteDraw(2, "ui_saveload_window_left");
            ASSERT_TRUE(drawn != nullptr && rowEdge != nullptr) << file;
            EXPECT_LT(drawn->x + MeasureUIText(title), rowEdge->x) << file << (load ? ", load" : ", save");
            ASSERT_TRUE(CloseScreen(kSlotSaveSlots));
            Screen().loadMode = 0;
            UI().CloseAllExcept();
            StepFrames(20);
        }
    }
}

TEST_F(SaveSlotTest, LoadModeOpensOnTheCurrentSlotAndTheRowsTellDatePlayTimeAndCrew)
{
    std::span<std::uint8_t> record = PlayedSlot(5, 3599999);
    record[slot::kCrew] = 1;
    record[slot::kCrew + 3 * slot::kCrewRecordSize] = 7;
    GetSaveManager()->currentSlot = 5;
    ASSERT_NO_FATAL_FAILURE(Open(true));
    EXPECT_EQ(Screen().GetScrollTop(), 2);
    EXPECT_EQ(Screen().GetCursorRow(), 3);
    EXPECT_EQ(Screen().SelectedSlot(), 5);
    EXPECT_TRUE(Screen().IsRowHighlighted(3));

    EXPECT_EQ(Screen().RowText(3, GAME_CUISaveSlot::kLabelDate), u"2027/3/5");
    const std::u16string playTime = Screen().RowText(3, GAME_CUISaveSlot::kLabelPlayTime);
    EXPECT_EQ(playTime.substr(playTime.size() - 7), u"\u3000999:59");
    EXPECT_EQ(Screen().RowText(3, GAME_CUISaveSlot::kLabelCrew),
              vesk::text::FormatText(GetMessageTextExpanded("ADD_TEXT_UI_SAVELOAD_SLOT_ACTOR"), {ToFullWidthText(u"2")}));
    EXPECT_EQ(Screen().RowText(3, GAME_CUISaveSlot::kLabelName),
              vesk::text::FormatText(GetMessageTextExpanded("ADD_TEXT_UI_SAVELOAD_SLOT_NUMBER"), {ToFullWidthText(u"5")}));
    EXPECT_EQ(Screen().RowText(0, GAME_CUISaveSlot::kLabelName), GetMessageTextExpanded("ADD_TEXT_UI_SAVELOAD_SLOT_AUTO"));
    // An empty slot shows its name only.
    EXPECT_EQ(Screen().RowText(1, GAME_CUISaveSlot::kLabelDate), u"");

    // Cancel closes the screen and clears its mode.
    Press(kActionCancel);
    ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotSaveSlots); }, 30));
    EXPECT_EQ(Screen().loadMode, 0u);
}

TEST_F(SaveSlotTest, AFailedWriteAsksToTryAgainAndASaveAskedWhileAnotherRunsIsWrittenOnceIdle)
{
    GAME_CSaveManager* saves = GetSaveManager();
    const std::string before = support::ReadBytes(SavePath());
    ASSERT_NO_FATAL_FAILURE(Open(false));
    Press(kActionDecide);
    StepFrames(1);
    ASSERT_EQ(Screen().GetSubState(), GAME_CUISaveSlot::kSaveQuestion);

    platform::SetFileFaultForTesting(platform::FileFault::ShortWrite);
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
    bool finished = false;
    ASSERT_TRUE(StepUntil(
        [&] {
            finished = finished || MessageHas("PAUSEUI_SAVE_FINISHED");
            return Screen().GetSubState() == GAME_CUISaveSlot::kSaveRetryQuestion;
        },
        600));
    platform::SetFileFaultForTesting(platform::FileFault::None);
    StepFrames(1);
    EXPECT_FALSE(finished);
    EXPECT_TRUE(MessageHas("PAUSEUI_SAVE_RETRY_YESNO"));
    EXPECT_EQ(support::ReadBytes(SavePath()), before);

    // Yes: a new try, made while a system save is still being written: it waits for the machine.
    // The machine takes a finished job only in its frame step, so updating the screens alone keeps it busy.
    GetPlayerData()->playSeconds = 30;
    ASSERT_TRUE(saves->RequestSaveSystem());
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
    UI().UpdateScreens();
    UI().UpdateScreens();
    ASSERT_EQ(Screen().GetSubState(), GAME_CUISaveSlot::kSaving);
    EXPECT_EQ(saves->state, GAME_CSaveManager::kSaving);
    EXPECT_EQ(saves->automatic, 1u);  // still the system record's save
    ASSERT_TRUE(StepUntil([&] { return Screen().GetSubState() == GAME_CUISaveSlot::kSaveDone; }, 600));
    StepFrames(1);
    EXPECT_TRUE(MessageHas("PAUSEUI_SAVE_FINISHED"));
    EXPECT_EQ(saves->lastResult, GAME_CSaveManager::kOk);
    EXPECT_EQ(saves->currentSlot, 1u);
    const std::string after = support::ReadBytes(SavePath());
    ASSERT_EQ(after.size(), kImageSize);
    const auto* file = reinterpret_cast<const std::uint8_t*>(after.data());
    EXPECT_NE(platform::ReadU32(file + SlotOffset(1) + slot::kLastSaveTime), 0u);
    EXPECT_TRUE(CheckSaveImage(std::span(file, after.size())));

    // The notice closed with its button: back to the list, whose rows now show the save.
    PressAction(kActionDecide);
    ASSERT_TRUE(StepUntil([&] { return Screen().GetSubState() == GAME_CUISaveSlot::kList; }, 60));
    EXPECT_TRUE(StepUntil([&] { return !Screen().RowText(1, GAME_CUISaveSlot::kLabelDate).empty(); }, 30));
}

TEST_F(SaveSlotTest, ASaveThatCouldNotBeWrittenAndIsNotTriedAgainLeavesTheSlotAsTheFileHasIt)
{
    const std::string before = support::ReadBytes(SavePath());
    GetPlayerData()->playSeconds = 3723;
    ASSERT_NO_FATAL_FAILURE(Open(false));
    ASSERT_EQ(Screen().SelectedSlot(), 1);
    ASSERT_EQ(Screen().RowText(1, GAME_CUISaveSlot::kLabelDate), u"");
    Press(kActionDecide);
    StepFrames(1);
    platform::SetFileFaultForTesting(platform::FileFault::ShortWrite);
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
    ASSERT_TRUE(StepUntil([&] { return Screen().GetSubState() == GAME_CUISaveSlot::kSaveRetryQuestion; }, 600));
    platform::SetFileFaultForTesting(platform::FileFault::None);
    StepFrames(1);
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerNo);
    ASSERT_TRUE(StepUntil([&] { return Screen().GetSubState() == GAME_CUISaveSlot::kList; }, 60));
    ASSERT_EQ(support::ReadBytes(SavePath()), before);

    // The slot is shown empty, as the file still has it; the running game was not saved into it,
    // so it is not the current slot either.
    EXPECT_EQ(GetSaveManager()->currentSlot, 0u);
    ASSERT_TRUE(CloseScreen(kSlotSaveSlots));
    ASSERT_NO_FATAL_FAILURE(Open(false));
    EXPECT_EQ(Screen().RowText(1, GAME_CUISaveSlot::kLabelDate), u"");
    EXPECT_EQ(Screen().SelectedSlot(), 1);
}

TEST_F(SaveSlotTest, MovingOntoASavedSlotInLoadModePreviewsItBehindAFadeAndYesGoesOnFromItOnTheTitle)
{
    PlayedSlot(3, 100);
    platform::WriteI32(GetSaveAreas().ImageSlot(3), slot::kMoney, 4321);
    platform::WriteU32(GetWorkingSlot(), slot::kPlaySeconds, 5);
    GetSaveManager()->currentSlot = 0;
    UI().SetOpen(kSlotTitle, true);
    GAME_CUITitle& title = *UI().Get<GAME_CUITitle>();
    ASSERT_TRUE(StepUntil([&] { return title.GetSubState() == GAME_CUITitle::kPressStart; }, 300));
    Press(kActionDecide);
    StepFrames(1);
    ASSERT_EQ(title.EntryCount(), 6);
    Press(kActionCursorDown);
    StepFrames(1);
    Press(kActionDecide);
    ASSERT_TRUE(StepUntil([&] { return Screen().State() == UIScreenState::kMain; }, 30));
    ASSERT_EQ(Screen().loadMode, 1u);
    StepFrames(1);
    ASSERT_EQ(Screen().SelectedSlot(), 0);

    // Onto empty slots: nothing changes.
    Press(kActionCursorDown);
    StepFrames(1);
    Press(kActionCursorDown);
    EXPECT_EQ(Screen().SelectedSlot(), 2);
    EXPECT_EQ(Screen().GetSubState(), GAME_CUISaveSlot::kList);
    EXPECT_EQ(GetSaveManager()->currentSlot, 0u);

    // Onto slot 3: ten frames of darkening, the world set up from it, ten held, ten brightening.
    StepFrames(1);
    Press(kActionCursorDown);
    std::vector<int> dim;
    int appliedAt = -1;
    for (int frame = 0; frame < 40 && (dim.empty() || Screen().GetSubState() != GAME_CUISaveSlot::kList); ++frame) {
        StepFrames(1);
        dim.push_back(Screen().GetDimCounter());
        if (appliedAt < 0 && GetSaveManager()->currentSlot == 3) appliedAt = frame;
    }
    const std::vector<int> expected = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 10, 10, 10, 10, 10, 10,
                                       10, 10, 10, 10, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 0};
    EXPECT_EQ(dim, expected);
    EXPECT_EQ(appliedAt, 10);
    EXPECT_EQ(GetPlayerData()->money, 4321);
    EXPECT_EQ(platform::ReadU32(GetWorkingSlot(), slot::kPlaySeconds), 100u);

    // Decide asks; yes tells it is loaded; its button closes the screen and the title goes on.
    StepFrames(1);
    Press(kActionDecide);
    StepFrames(1);
    ASSERT_EQ(Screen().GetSubState(), GAME_CUISaveSlot::kLoadQuestion);
    EXPECT_TRUE(MessageHas("ADD_TEXT_UI_SAVELOAD_LOAD_YESNO"));
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
    StepFrames(3);
    ASSERT_EQ(Screen().GetSubState(), GAME_CUISaveSlot::kLoadDone);
    EXPECT_TRUE(MessageHas("ADD_TEXT_UI_SAVELOAD_LOAD_FINISHED"));
    StepFrames(20);
    PressAction(kActionDecide);
    ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotSaveSlots); }, 60));
    ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotTitle); }, 10));
    EXPECT_TRUE(UI().IsOpen(kSlotCommon));
    EXPECT_TRUE(UI().IsOpen(kSlotShipStatus));
    EXPECT_EQ(GetPlayerData()->money, 4321);
}

}  // namespace
