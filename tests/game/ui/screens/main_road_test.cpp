// The main road of a session on the whole game: logos, title, a new game, its opening, the pause menu, a save, back to the title and continue.
// With VARNOLIS_ROAD_PICTURE_DIR=<folder> the test also writes the canvas at each stop of the road as PPM pictures to look at.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

#include "game/services/data/tag.h"
#include "game/services/input/input_actions.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "game/services/save/save_manager.h"
#include "game/app/scene/scene_initialize.h"
#include "game/services/sound/sound_player.h"
#include "game/model/world/game_world.h"
#include "game/model/ship/ship.h"
#include "game/ui/screens/ui_common.h"
#include "game/ui/widgets/ui_icon_object.h"
#include "game/ui/screens/ui_pause.h"
#include "game/ui/screens/ui_save_slot.h"
#include "game/ui/screens/ui_title.h"
#include "game/ui/selection_dialog.h"
#include "platform/little_endian.h"
#include "tests/support/game_fixture.h"
#include "tests/support/scratch_folder.h"

namespace {

constexpr std::uint8_t kRawEnter = 0x0D;

class MainRoadTest : public support::GameFixture {
protected:
    GAME_CUITitle& Title() const { return *UI().Get<GAME_CUITitle>(); }
    GAME_CUIPause& Pause() const { return *UI().Get<GAME_CUIPause>(); }
    GAME_CRouteManager* Route() const { return GetGameWorld()->travel->routeManager.get(); }

    int CountInLastFrame(std::uint32_t id) const
    {
        const auto& effects = frames.back().soundEffects;
        return static_cast<int>(std::count(effects.begin(), effects.end(), id));
    }

    // The HUD's pause button, clicked in its middle.
    void ClickPauseButton()
    {
        GAME_CUIIconObject* icon = UI().Get<GAME_CUICommon>()->Icon(GAME_CUICommon::kPause);
        const vesk::math::Vec2 corner = icon->WorldPosition();
        const vesk::math::Vec2 size = *icon->GetSize();
        ClickAt(static_cast<int>(corner.x + size.x / 2), static_cast<int>(corner.y - size.y / 2));
    }

    void WritePictureIfAsked(const std::string& name) const
    {
        if (const char* folder = std::getenv("VARNOLIS_ROAD_PICTURE_DIR")) {
            ASSERT_TRUE(WriteCanvasPicture(std::string(folder) + "/" + name + ".ppm"));
        }
    }

    void Press(int action)
    {
        PressAction(action);
        StepFrames(2);
    }
};

TEST_F(MainRoadTest, ANewPlayerStartsAGameSavesItGoesBackToTheTitleAndContinuesIt)
{
    StartGame();
    ASSERT_TRUE(StepUntilStartupState(GAME_CSceneInitialize::kCompanyLogo));
    ASSERT_TRUE(StepUntilStartupState(GAME_CSceneInitialize::kEngineLogo));
    ASSERT_TRUE(StepUntilMainGame());
    ASSERT_TRUE(StepUntil([&] { return Title().GetSubState() == GAME_CUITitle::kPressStart; }, 300));

    // A raw key shows the four-entry menu; new game is its first entry.
    PressRawKey(kRawEnter);
    StepFrames(2);
    ASSERT_EQ(Title().EntryCount(), 4);
    WritePictureIfAsked("1-title-menu");
    PressAction(kActionDecide);
    ASSERT_TRUE(StepUntil([&] { return Title().GetSubState() == GAME_CUITitle::kNewGameAppearance; }, 5));
    const auto& enemies = GetGameWorld()->fieldObjects->enemies;
    ASSERT_EQ(enemies.size(), 1u);
    EXPECT_EQ(enemies.front()->GetEnemyId(), MakeTag("E015"));

    // The appearance, then the start with its sand bursts; play starts in the new game's world.
    ASSERT_TRUE(StepUntil([&] { return Title().GetSubState() == GAME_CUITitle::kNewGameStart; }, GAME_CUITitle::kAppearanceFrames + 2));
    int bursts = 0;
    ASSERT_TRUE(StepUntil([&] {
        bursts += CountInLastFrame(27);
        return UI().IsOpen(kSlotCommon);
    }, GAME_CUITitle::kNewGameStartFrames + 2));
    EXPECT_EQ(bursts, 10);
    EXPECT_TRUE(UI().IsOpen(kSlotShipStatus));
    EXPECT_TRUE(UI().IsOpen(kSlotEvent));
    EXPECT_EQ(platform::ReadU32(GetWorkingSlot(), save_layout::slot::kPlaySeconds), 1u);
    ASSERT_NE(Route(), nullptr);
    EXPECT_TRUE(Route()->IsStartRoute());

    // The opening is told, each text confirmed; the start route hands the ship to the first road,
    // where it may be saved.
    ASSERT_TRUE(StepConfirmingEventsUntil([&] { return !Route()->IsStartRoute() && !UI().IsOpen(kSlotEvent); }, 3000));
    EXPECT_FALSE(GetGameWorld()->fieldObjects->crew.empty());
    // The hull the start sequence sank stands on the road again.
    const GAME_CShipBodyRender& hull = *GetGameWorld()->ship->body;
    EXPECT_EQ(hull.sinking, 0u);
    EXPECT_EQ(hull.shakeY, 0.0f);
    // The view comes out of the black the title left it in; then the pause button opens the menu.
    ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotFade); }, 120));
    WritePictureIfAsked("2-first-road");
    // The title's music has given way to the road's, as a continued game at the same place hears.
    EXPECT_EQ(GetSoundPlayer()->PlayingBgm(), 1u);
    // The whole grid stands in view at the play zoom, below the top panel and above the button bar.
    const GAME_CShip& ship = *GetGameWorld()->ship;
    EXPECT_EQ(GetGameWorld()->camera->zoom, 2.0f);
    float left = 0.0f, top = 0.0f, right = 0.0f, bottom = 0.0f;
    ship.GetGridScreenMin(&left, &top);
    ship.GetGridScreenMax(&right, &bottom);
    EXPECT_GE(left, 0.0f);
    EXPECT_LE(right, 640.0f);
    EXPECT_GE(top, 50.0f);
    EXPECT_LE(bottom, 300.0f);
    ClickPauseButton();
    ASSERT_TRUE(StepUntil([&] { return Pause().State() == GAME_CUIPause::kMain; }, 40));
    EXPECT_EQ(Pause().GetCursor(), GAME_CUIPause::kRowReturnToGame);
    WritePictureIfAsked("3-pause");

    // Save into slot 1.
    for (int i = 0; i < 3; ++i) Press(kActionCursorDown);
    ASSERT_EQ(Pause().GetCursor(), GAME_CUIPause::kRowSave);
    Press(kActionDecide);
    auto& slots = *UI().Get<GAME_CUISaveSlot>();
    ASSERT_TRUE(StepUntil([&] { return slots.State() == UIScreenState::kMain; }, 40));
    StepFrames(1);
    EXPECT_EQ(slots.SelectedSlot(), 1);
    WritePictureIfAsked("4-save-slots");
    Press(kActionDecide);
    ASSERT_EQ(slots.GetSubState(), GAME_CUISaveSlot::kSaveQuestion);
    AnswerDialog(GAME_CUIInDisplaySelectionObject::kAnswerYes);
    ASSERT_TRUE(StepUntil([&] { return slots.GetSubState() == GAME_CUISaveSlot::kSaveDone; }, 600));
    const std::string file = support::ReadBytes(SavePath());
    ASSERT_EQ(file.size(), 3'145'728u);
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(file.data()), file.size());
    EXPECT_EQ(platform::ReadU32(bytes, save_layout::kChecksumOffset), ComputeSaveChecksum(bytes));
    EXPECT_EQ(GetSaveManager()->currentSlot, 1u);
    StepFrames(1);
    Press(kActionDecide);
    ASSERT_TRUE(StepUntil([&] { return slots.GetSubState() == GAME_CUISaveSlot::kList; }, 60));
    StepFrames(1);
    Press(kActionCancel);
    ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotSaveSlots); }, 40));

    // Back to the title through the quit dialog.
    for (int i = 0; i < 3; ++i) Press(kActionCursorDown);
    ASSERT_EQ(Pause().GetCursor(), GAME_CUIPause::kRowQuit);
    Press(kActionDecide);
    ASSERT_TRUE(StepUntil([&] { return Pause().GetSubState() == GAME_CUIPause::kQuitDialog; }, 20));
    StepFrames(10);
    WritePictureIfAsked("5-quit-dialog");
    Press(kActionCursorDown);  // from continue round to the title
    Press(kActionDecide);
    ASSERT_TRUE(StepUntil([&] { return UI().IsOpen(kSlotTitle) && !UI().IsOpen(kSlotPause); }, 200));
    ASSERT_TRUE(StepUntil([&] { return Title().GetSubState() == GAME_CUITitle::kPressStart; }, 300));
    PressRawKey(kRawEnter);
    StepFrames(2);
    ASSERT_EQ(Title().EntryCount(), 6);
    WritePictureIfAsked("6-title-six-entries");

    // The load list shows the saved slot under the cursor; leaving it changes nothing.
    Press(kActionCursorDown);
    Press(kActionDecide);
    ASSERT_TRUE(StepUntil([&] { return slots.State() == UIScreenState::kMain; }, 40));
    EXPECT_EQ(slots.loadMode, 1u);
    EXPECT_EQ(slots.SelectedSlot(), 1);
    WritePictureIfAsked("7-load-slots");
    Press(kActionCancel);
    ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotSaveSlots); }, 40));
    Press(kActionCursorUp);

    // Continue plays the saved game on its road, with the road's music.
    PressAction(kActionDecide);
    ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotTitle); }, 30));
    EXPECT_TRUE(UI().IsOpen(kSlotCommon));
    EXPECT_FALSE(Route()->IsStartRoute());
    EXPECT_EQ(GetSoundPlayer()->PlayingBgm(), 1u);
}

}  // namespace
