// The running main game: speed steps, play time, achievements, the language change and the camera.
#include <gtest/gtest.h>

#include "framework/text/message_file.h"
#include "framework/window/main_window.h"
#include "game/services/achievement/achievements.h"
#include "game/services/text/language.h"
#include "game/services/player/player_data.h"
#include "game/services/data/tag.h"
#include "game/services/input/input_map.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "game/services/save/save_manager.h"
#include "game/services/sound/sound_player.h"
#include "game/services/text/message_text.h"
#include "game/model/world/game_clock.h"
#include "game/model/world/game_world.h"
#include "game/ui/achieve_popup.h"
#include "platform/little_endian.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/game_fixture.h"

namespace {

using namespace save_layout;

class MainGameTest : public support::GameFixture {
protected:
    void SetUp() override
    {
        support::GameFixture::SetUp();
        ASSERT_NO_FATAL_FAILURE(StartToMainGame());
        world = GetGameWorld();
        // The title screen stops the simulation; the game proper runs without it.
        ASSERT_TRUE(CloseScreen(kSlotTitle));
    }

    std::uint32_t StepsOver(int frameCount)
    {
        GAME_CGameClock* clock = GetGameClock();
        const std::uint32_t before = clock->day * clock->DayLength() + clock->step;
        StepFrames(frameCount);
        return clock->day * clock->DayLength() + clock->step - before;
    }

    GAME_CGameWorld* world = nullptr;
};

TEST_F(MainGameTest, TheSpeedSetsHowManyStepsAFrameRunsAndPlayTimeCountsSeconds)
{
    world->timeScale->accumulator = 0.0f;
    world->timeScale->speed = 0.5f;
    EXPECT_EQ(StepsOver(1), 0u);
    EXPECT_EQ(StepsOver(1), 1u);
    EXPECT_EQ(StepsOver(10), 5u);
    world->timeScale->speed = 3.0f;
    EXPECT_EQ(StepsOver(1), 3u);
    EXPECT_EQ(StepsOver(10), 30u);

    // A held world takes no steps.
    world->held = 1;
    EXPECT_EQ(StepsOver(5), 0u);
    world->held = 0;

    // Sixty frames are a second of play time, up to 999:59:59.
    GAME_CPlayerData* player = GetPlayerData();
    player->playSeconds = kMaxPlaySeconds - 1;
    StepFrames(180);
    EXPECT_EQ(player->playSeconds, kMaxPlaySeconds);
}

TEST_F(MainGameTest, AnAchievementUnlocksWithinFortyFramesAndItsSaveWaitsForARunningOne)
{
    GAME_CAchievementManager* manager = GetAchievementManager();
    ASSERT_TRUE(AddAchievementCount(MakeTag("A003"), 1));
    EXPECT_FALSE(AddAchievementCount(MakeTag("A099"), 1));
    GAME_CSaveManager* saves = GetSaveManager();
    ASSERT_TRUE(saves->RequestSaveSlot(1));

    ASSERT_TRUE(StepUntil([] { return (platform::ReadU32(GetWorkingSystemRecord(), system::kAchievementBits) >> 2 & 1u) != 0; },
                          40));
    EXPECT_EQ(manager->popupQueue, std::vector<std::uint32_t>{2});
    EXPECT_EQ(world->ui->MessageLog()->CountLines(), 1);
    ASSERT_TRUE(StepUntil([&] { return saves->IsSystemRecordSaved() && saves->IsIdle(); }, 600));
    const std::string file = support::ReadBytes(SavePath());
    EXPECT_EQ(platform::ReadU32(reinterpret_cast<const std::uint8_t*>(file.data()) + kSystemRecordOffset +
                                system::kAchievementBits) >> 2 & 1u,
              1u);

    // Checked again, it is not unlocked twice: the popup took it once and nothing more is queued.
    StepFrames(45);
    EXPECT_EQ(world->ui->Get<GAME_CUIAchievePopup>(kSlotAchievementPopup)->Index(), 2u);
    EXPECT_EQ(PopAchievementNotice(*manager), kNoAchievementNotice);
}

TEST_F(MainGameTest, ALanguageChangeReloadsTheMessagesAndTitleAtTheNextFrame)
{
    GAME_CPlayerData* player = GetPlayerData();
    player->language = kLanguageJapanese;
    player->languageChanged = 1;
    StepFrames(1);
    EXPECT_EQ(player->languageChanged, 0u);
    EXPECT_EQ(GetMessageTextOrKey("COMMAND_YES"), u"はい");
    EXPECT_EQ(vesk::window::GetMainWindowTitle(), GetWindowTitleForLanguage(kLanguageJapanese));

    player->language = kLanguageKorean;
    player->languageChanged = 1;
    EXPECT_EQ(GetMessageTextOrKey("COMMAND_YES"), u"はい");  // not before the next frame
    StepFrames(1);
    EXPECT_EQ(GetMessageTextOrKey("COMMAND_YES"), u"예");
    EXPECT_EQ(player->fontIndex, 2u);
    EXPECT_EQ(vesk::window::GetMainWindowTitle(), u"VARNOLIS");
}

TEST_F(MainGameTest, TheCameraFocusesOnlyFloorCellsAndKeepsZoomWithinItsLimits)
{
    GAME_CCamera2D& camera = *world->camera;
    GAME_CShip& ship = *world->ship;
    ASSERT_TRUE(ship.ChangeShip(MakeTag("SHP2")));
    const std::int16_t scrollX = ship.scrollX;
    const std::int16_t scrollY = ship.scrollY;

    EXPECT_FALSE(camera.FocusCell(19, 0));
    EXPECT_FALSE(camera.FocusCell(0, 13));
    EXPECT_FALSE(camera.FocusCell(-1, 2));
    EXPECT_EQ(camera.mode, GAME_CCamera2D::kFree);
    StepFrames(3);
    EXPECT_EQ(ship.scrollX, scrollX);
    EXPECT_EQ(ship.scrollY, scrollY);

    camera.SetZoom(1000.0f, 0);
    EXPECT_FLOAT_EQ(camera.zoom, camera.zoomMax);
    camera.SetZoom(-5.0f, 0);
    EXPECT_FLOAT_EQ(camera.zoom, camera.zoomMin);
    camera.SetZoom(1000.0f, 20);
    StepFrames(25);
    EXPECT_FLOAT_EQ(camera.zoom, camera.zoomMax);

    // A floor cell away from the centre draws the view towards it.
    camera.SetZoom(camera.zoomMin, 0);
    int floorX = -1;
    int floorY = -1;
    for (int y = 0; y < GAME_CShipGrid::kMaxHeight && floorX < 0; ++y) {
        for (int x = 0; x < GAME_CShipGrid::kMaxWidth; ++x) {
            if (ship.grid.GetCell(x, y)->usable != 0) {
                floorX = x;
                floorY = y;
                break;
            }
        }
    }
    ASSERT_GE(floorX, 0);
    ASSERT_TRUE(camera.FocusCell(floorX, floorY));
    EXPECT_EQ(camera.mode, GAME_CCamera2D::kFocusCell);
    StepFrames(30);
    float cellX = 0.0f, cellY = 0.0f;
    camera.CellScreenPosition(floorX, floorY, &cellX, &cellY);
    EXPECT_NEAR(cellX, 320.0f, 2.0f);
    EXPECT_EQ(camera.cellRequestActive, 0u);
}

TEST_F(MainGameTest, ASoundEffectPlaysOncePerFrame)
{
    GAME_CSoundPlayer* sound = PeekSoundPlayer();
    ASSERT_NE(sound, nullptr);
    ASSERT_EQ(sound->readyToPlay, 1u);
    StepFrames(1);
    sound->PlaySE(kSeDecide);
    sound->PlaySE(kSeDecide);
    EXPECT_TRUE(sound->WasPlayedThisFrame(kSeDecide));
    StepFrames(1);
    EXPECT_FALSE(sound->WasPlayedThisFrame(kSeDecide));
    sound->PlaySE(kSeDecide, 5.0f);
    EXPECT_TRUE(sound->WasPlayedThisFrame(kSeDecide));
    sound->PlaySE(kSoundEffectCount);  // no such effect
    EXPECT_FALSE(sound->WasPlayedThisFrame(kSoundEffectCount));
}

}  // namespace
