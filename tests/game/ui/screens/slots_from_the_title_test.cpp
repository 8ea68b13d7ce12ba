// Saves made in three slots along a game, one overwritten, each loaded back from the title after the file is read again.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "game/app/scene/scene_minigame.h"
#include "game/app/scene/scene_stack.h"
#include "game/model/minigame/minigame_player.h"
#include "game/model/world/game_world.h"
#include "game/services/data/id_tags.h"
#include "game/services/data/tag.h"
#include "game/services/input/input_actions.h"
#include "game/services/player/player_data.h"
#include "game/services/save/save_manager.h"
#include "game/services/save/working_slot.h"
#include "game/ui/screens/ui_pause.h"
#include "game/ui/screens/ui_save_slot.h"
#include "game/ui/screens/ui_title.h"
#include "game/ui/selection_dialog.h"
#include "tests/support/game_fixture.h"
#include "tests/support/save_comparison.h"

namespace {

using Arcade = GAME_CSceneMiniGameSideScroll;

class SlotsFromTheTitle : public support::GameFixture {
protected:
    // What the player sees, with the best arcade score of the slot the game runs from.
    static std::string Seen()
    {
        return support::WhatThePlayerSees() + "arcade best " + std::to_string(working_slot::ReadRankingRow(0).score) + "\n";
    }

    void SaveInto(std::uint32_t slot)
    {
        ASSERT_TRUE(GetSaveManager()->RequestSaveSlot(slot));
        ASSERT_TRUE(StepUntilSaveIdle());
        ASSERT_EQ(GetSaveManager()->lastResult, GAME_CSaveManager::kOk);
    }

    // Frames at triple speed, each event text confirmed.
    void PlayOn(int count)
    {
        GetGameWorld()->timeScale->speed = 3.0f;
        int played = 0;
        ASSERT_TRUE(StepConfirmingEventsUntil([&] { return ++played >= count; }, count + 1));
    }

    Arcade* ArcadeScene() const
    {
        for (GAME_CSceneBase* scene : GetSceneStack()->scenes) {
            if (scene != nullptr && scene->GetSceneId() == kSceneMiniGame) return static_cast<Arcade*>(scene);
        }
        return nullptr;
    }

    // Into the arcade at the game center, one run that dies with the score, the three quick
    // initials, and back out to the ship from the arcade's title.
    void ArcadeRunScoring(std::int32_t score)
    {
        UI().SetOpen(kSlotGameCenter, true);
        StepFrames(3);
        Arcade* arcade = ArcadeScene();
        ASSERT_NE(arcade, nullptr);
        PressAction(kActionDecide);
        ASSERT_TRUE(StepUntil([&] { return arcade->State() == Arcade::kPlay; }, 400));
        arcade->World().score = score;
        arcade->World().Player()->Die();
        ASSERT_TRUE(StepUntil([&] { return arcade->State() == Arcade::kScoreEntry; }, 1000));
        for (int letter = 0; letter < 3; ++letter) {
            PressAction(kActionDecide);
            StepFrames(2);
        }
        PressAction(kActionDecide);
        ASSERT_TRUE(StepUntil([&] { return arcade->State() == Arcade::kTitle; }, 10));
        PressAction(kActionCancel);
        ASSERT_TRUE(StepUntil([&] { return IsSceneOnStack(kSceneGameMain) && !IsSceneOnStack(kSceneMiniGame); }, 10));
        StepFrames(2);
    }

    // A crew quarters placed on the first free cell as the build screen places it: under construction, its build task posted.
    static bool PlaceQuarters()
    {
        GAME_CShip& ship = *GetGameWorld()->ship;
        const std::int32_t kind = FindRoomIdIndex(MakeTag("ID03"));
        for (int y = 0; y < 4; ++y) {
            for (int x = 0; x < 12; ++x) {
                if (ship.CanPlaceRoom(x, y, kind)) return ship.PlaceNewRoom(x, y, kind, MakeTag("ID03"), true) != nullptr;
            }
        }
        return false;
    }

    // The pause menu's quit dialog, "to the title": the file is read again and the title opens on it.
    void QuitToTheTitle()
    {
        UI().SetOpen(kSlotPause, true);
        const GAME_CUIPause& pause = *UI().Get<GAME_CUIPause>();
        ASSERT_TRUE(StepUntil([&] { return pause.State() == GAME_CUIPause::kMain; }, 40));
        StepFrames(1);
        PressAction(kActionCursorUp);
        StepFrames(2);
        ASSERT_EQ(pause.GetCursor(), GAME_CUIPause::kRowQuit);
        PressAction(kActionDecide);
        ASSERT_TRUE(StepUntil([&] { return pause.GetSubState() == GAME_CUIPause::kQuitDialog; }, 20));
        for (int step = 0; step < 10 && pause.GetDialogCursor() != GAME_CUIPause::kChoiceTitle; ++step) {
            StepFrames(8);
            PressAction(kActionCursorUp);
            StepFrames(8);
        }
        ASSERT_EQ(pause.GetDialogCursor(), GAME_CUIPause::kChoiceTitle);
        PressAction(kActionDecide);
        ASSERT_TRUE(StepUntil([&] { return UI().IsOpen(kSlotTitle) && !UI().IsOpen(kSlotPause); }, 300));
        ASSERT_EQ(GetSaveManager()->lastResult, GAME_CSaveManager::kOk);
    }

    // From the title's menu into the save-slot screen in load mode.
    void OpenTheLoadScreen()
    {
        const GAME_CUITitle& title = *UI().Get<GAME_CUITitle>();
        ASSERT_TRUE(StepUntil([&] { return title.GetSubState() == GAME_CUITitle::kPressStart; }, 300));
        PressAction(kActionDecide);
        ASSERT_TRUE(StepUntil([&] { return title.GetSubState() == GAME_CUITitle::kMenuWithSave; }, 60));
        StepFrames(2);
        PressAction(kActionCursorDown);
        StepFrames(2);
        PressAction(kActionDecide);
        const GAME_CUISaveSlot& slots = *UI().Get<GAME_CUISaveSlot>();
        ASSERT_TRUE(StepUntil([&] { return slots.State() == UIScreenState::kMain; }, 30));
        ASSERT_EQ(slots.loadMode, 1u);
        StepFrames(1);
    }

    // The load screen's cursor one row on; the slot under it previewed behind the fade.
    void MoveOnto(int action, int slot)
    {
        const GAME_CUISaveSlot& slots = *UI().Get<GAME_CUISaveSlot>();
        PressAction(action);
        StepFrames(1);
        ASSERT_EQ(slots.SelectedSlot(), slot);
        ASSERT_TRUE(StepUntil([&] {
            return GetSaveManager()->currentSlot == static_cast<std::uint32_t>(slot) && slots.GetSubState() == GAME_CUISaveSlot::kList;
        }, 40));
        StepFrames(1);
    }
};

// Slot 3 at the start of the road; slot 2 after an arcade run, with a room being built; slot 1 after
// more of the road, and again later over its first save. Played on unsaved, then out to the title:
// each slot the load screen passes over shows what it held at its last save, arcade ranking and all,
// and the one chosen goes on from it.
TEST_F(SlotsFromTheTitle, EachSlotLoadsBackAsItWasLastSaved)
{
    ASSERT_NO_FATAL_FAILURE(StartNewGameToFirstRoad());
    const std::string atStart = Seen();
    ASSERT_NO_FATAL_FAILURE(SaveInto(3));

    ASSERT_NO_FATAL_FAILURE(ArcadeRunScoring(12345));
    ASSERT_EQ(working_slot::ReadRankingRow(0).score, 12345);
    ASSERT_TRUE(PlaceQuarters());
    const std::string building = Seen();
    ASSERT_NO_FATAL_FAILURE(SaveInto(2));
    ASSERT_NE(building, atStart);

    ASSERT_NO_FATAL_FAILURE(PlayOn(600));
    ASSERT_NO_FATAL_FAILURE(SaveInto(1));
    ASSERT_NO_FATAL_FAILURE(PlayOn(600));
    const std::string later = Seen();
    const std::int32_t laterMoney = GetPlayerData()->money;
    ASSERT_NO_FATAL_FAILURE(SaveInto(1));
    ASSERT_NE(later, building);

    ASSERT_NO_FATAL_FAILURE(PlayOn(300));
    GetPlayerData()->money += 777;
    ASSERT_NO_FATAL_FAILURE(QuitToTheTitle());
    ASSERT_NO_FATAL_FAILURE(OpenTheLoadScreen());
    ASSERT_EQ(UI().Get<GAME_CUISaveSlot>()->SelectedSlot(), 1);

    ASSERT_NO_FATAL_FAILURE(MoveOnto(kActionCursorDown, 2));
    EXPECT_EQ(Seen(), building);
    ASSERT_NO_FATAL_FAILURE(MoveOnto(kActionCursorDown, 3));
    EXPECT_EQ(Seen(), atStart);
    ASSERT_NO_FATAL_FAILURE(MoveOnto(kActionCursorUp, 2));
    ASSERT_NO_FATAL_FAILURE(MoveOnto(kActionCursorUp, 1));
    EXPECT_EQ(Seen(), later);

    // Yes goes on from slot 1: the title closes on it and the game runs on from there, without the
    // money of the play that was not saved.
    PressAction(kActionDecide);
    StepFrames(2);
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
    const GAME_CUISaveSlot& slots = *UI().Get<GAME_CUISaveSlot>();
    ASSERT_TRUE(StepUntil([&] { return slots.GetSubState() == GAME_CUISaveSlot::kLoadDone; }, 10));
    StepFrames(20);
    PressAction(kActionDecide);
    ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotSaveSlots) && !UI().IsOpen(kSlotTitle); }, 120));
    EXPECT_EQ(GetSaveManager()->currentSlot, 1u);
    EXPECT_EQ(GetPlayerData()->money, laterMoney);
    EXPECT_EQ(working_slot::ReadRankingRow(0).score, 12345);
}

}  // namespace
