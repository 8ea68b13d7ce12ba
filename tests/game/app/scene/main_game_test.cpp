// The running main game: speed steps, play time, achievements, the language change and the camera.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

#include "framework/text/font_manager.h"
#include "framework/text/message_file.h"
#include "framework/window/main_window.h"
#include "game/app/scene/missing_game_files.h"
#include "game/services/achievement/achievements.h"
#include "game/services/text/language.h"
#include "game/services/player/player_data.h"
#include "game/services/data/id_tags.h"
#include "game/services/data/tag.h"
#include "game/services/input/input_actions.h"
#include "game/services/input/input_map.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "game/services/save/save_manager.h"
#include "game/services/sound/sound_player.h"
#include "game/services/text/message_text.h"
#include "game/services/clock/game_clock.h"
#include "game/model/world/camera2d.h"
#include "game/model/world/game_world.h"
#include "game/model/object/field_draw.h"
#include "game/model/object/object_actor.h"
#include "game/model/ship/room_base.h"
#include "game/model/ship/ship.h"
#include "game/ui/achieve_popup.h"
#include "game/ui/screens/ui_actor_status.h"
#include "platform/little_endian.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/game_fixture.h"
#include "game/ui/ui_manager.h"

namespace {

using namespace save_layout;

class MainGameTest : public support::GameFixture {
protected:
    void SetUp() override
    {
        support::GameFixture::SetUp();
        ASSERT_NO_FATAL_FAILURE(StartPlaying());
        world = GetGameWorld();
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
    EXPECT_EQ(UIManagerOf(world)->MessageLog()->CountLines(), 1);
    ASSERT_TRUE(StepUntil([&] { return saves->IsSystemRecordSaved() && saves->IsIdle(); }, 600));
    const std::string file = support::ReadBytes(SavePath());
    EXPECT_EQ(platform::ReadU32(reinterpret_cast<const std::uint8_t*>(file.data()) + kSystemRecordOffset +
                                system::kAchievementBits) >> 2 & 1u,
              1u);

    // Checked again, it is not unlocked twice: the popup took it once and nothing more is queued.
    StepFrames(45);
    EXPECT_EQ(UIManagerOf(world)->Get<GAME_CUIAchievePopup>()->Index(), 2u);
    EXPECT_EQ(PopAchievementNotice(*manager), kNoAchievementNotice);
}

TEST_F(MainGameTest, AFullShipCountsOnlyOnceEveryRoomOnItIsFinished)
{
    // The ship's floor shrinks to the cells its rooms hold, so that every floor cell holds a room.
    GAME_CShip& ship = *world->ship;
    ASSERT_NE(ship.PlaceRoom(0, 2, FindRoomIdIndex(MakeTag("ID23"))), nullptr);
    ASSERT_NE(ship.PlaceRoom(4, 3, FindRoomIdIndex(MakeTag("ID20"))), nullptr);
    for (int y = 0; y < GAME_CShipGrid::kMaxHeight; ++y) {
        for (int x = 0; x < GAME_CShipGrid::kMaxWidth; ++x) {
            if (ship.GetRoomAtCell(x, y) == nullptr) ship.grid.GetCell(x, y)->usable = 0;
        }
    }
    constexpr std::uint32_t kFullShip = 4;
    const auto unlocked = [] {
        return (platform::ReadU32(GetWorkingSystemRecord(), system::kAchievementBits) >> kFullShip & 1u) != 0;
    };
    ship.rooms.back()->underConstruction = true;
    EXPECT_FALSE(CheckAchievement(kFullShip));
    EXPECT_FALSE(StepUntil(unlocked, 45));

    ship.rooms.back()->underConstruction = false;
    EXPECT_TRUE(CheckAchievement(kFullShip));
    EXPECT_TRUE(StepUntil(unlocked, 45));
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

// English draws with a slot-0 font of its own, whose full-width numbers are as narrow as ASCII;
// a language change swaps slot 0 at the next frame.
TEST_F(MainGameTest, EnglishFullWidthNumbersMeasureAsAsciiAndALanguageChangeSwapsSlotZero)
{
    GAME_CPlayerData* player = GetPlayerData();
    const vesk::text::SYS_CFontManager& fonts = *vesk::text::GetFontManager();
    const auto width = [&](std::u16string_view text) { return fonts.MeasureString(0, text, 0.0f, nullptr, false); };
    ASSERT_EQ(player->language, kLanguageEnglish);
    EXPECT_GT(width(u"30"), 0.0f);
    EXPECT_EQ(width(u"\uFF13\uFF10"), width(u"30"));
    EXPECT_EQ(width(u"\uFF10\uFF0F\uFF11\uFF10 \uFF33\uFF45\uFF43"), width(u"0/10 Sec"));

    player->language = kLanguageJapanese;
    player->languageChanged = 1;
    StepFrames(1);
    EXPECT_GT(width(u"\uFF13\uFF10"), width(u"30"));
    EXPECT_GT(width(u"\u30B2\u30FC\u30E0"), 0.0f);

    player->language = kLanguageEnglish;
    player->languageChanged = 1;
    StepFrames(1);
    EXPECT_EQ(width(u"\uFF13\uFF10"), width(u"30"));
    EXPECT_EQ(FirstMissingGameFile(), "");
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

// The point the camera takes for a cell (to focus on it, or to put the pointer on it) lies on that cell
// as the ship lays its cells out: rows counted in cell heights at the hull's height scale, also while
// the hull's width shrinks in a turn or is mirrored, and with cells taller than wide.
TEST_F(MainGameTest, TheCameraPointOfACellLiesOnThatCellWhateverTheCellsShape)
{
    const GAME_CCamera2D& camera = *world->camera;
    GAME_CShip& ship = *world->ship;
    const float fullScale = ship.body->scaleX;
    ASSERT_GT(fullScale, 0.0f);
    ship.grid.cellHeight = ship.grid.cellWidth * 1.5f;
    for (const float scaleX : {fullScale, fullScale * 0.5f, -fullScale}) {
        ship.body->scaleX = scaleX;
        const vesk::math::Vec2 cell = ship.CellScreenSize();
        float minX = 0.0f, minY = 0.0f;
        ship.GetGridScreenMin(&minX, &minY);
        int checked = 0;
        for (int y = 0; y < ship.grid.height; ++y) {
            for (int x = 0; x < ship.grid.width; ++x) {
                if (ship.grid.GetCell(x, y)->usable == 0) continue;
                float pointX = 0.0f, pointY = 0.0f;
                camera.CellScreenPosition(x, y, &pointX, &pointY);
                const int column = scaleX < 0.0f ? ship.grid.width - 1 - x : x;
                EXPECT_NEAR(pointX, minX + (static_cast<float>(column) + 0.5f) * cell.x, 0.01f) << x << ", " << y << " at x scale " << scaleX;
                EXPECT_NEAR(pointY, minY + (static_cast<float>(y) + 0.5f) * cell.y, 0.01f) << x << ", " << y << " at x scale " << scaleX;
                ++checked;
            }
        }
        EXPECT_GT(checked, 0);
    }
}

// Where a crew member shows on the canvas: its middle, half a cell above its feet.
vesk::math::Vec2 CrewMiddleOnScreen(const GAME_CObjectActor& member)
{
    const FieldFrame frame = CurrentFieldFrame();
    vesk::math::Vec2 point = frame.ToScreen(member.GetPosition());
    point.y -= FieldCellHeight() * frame.SpriteScaleY() * 0.5f;
    return point;
}

TEST_F(MainGameTest, AFollowedCrewMemberComesToTheViewCentreAndAFollowedObjectIsNeverPassed)
{
    GAME_CCamera2D& camera = *world->camera;
    GAME_CShip& ship = *world->ship;
    GAME_CObjectActor* member = AddCrewMember();
    ASSERT_NE(member, nullptr);
    world->held = 1;  // the crew member goes only where the test puts it
    std::int32_t fromX = 0, fromY = 0;
    ASSERT_TRUE(ship.GetLowestFloorCell(&fromX, &fromY));
    std::int32_t toX = -1, toY = -1;
    for (int y = 0; y < GAME_CShipGrid::kMaxHeight; ++y) {
        for (int x = 0; x < GAME_CShipGrid::kMaxWidth; ++x) {
            if (ship.grid.GetCell(x, y)->usable != 0 && std::abs(x - fromX) > std::abs(toX - fromX)) {
                toX = x;
                toY = y;
            }
        }
    }
    ASSERT_GE(toX, 0);
    vesk::math::Vec2 from, to;
    ship.GetCellFloorPoint(fromX, fromY, &from.x, &from.y, false);
    ship.GetCellFloorPoint(toX, toY, &to.x, &to.y, false);

    // Mode 1 on the crew member as an object: it comes to the centre from one side only.
    member->position = from;
    StepFrames(1);
    const float startOffset = CrewMiddleOnScreen(*member).x - 320.0f;
    ASSERT_GT(std::fabs(startOffset), 20.0f);
    camera.mode = GAME_CCamera2D::kFollowObject;
    camera.followedObject = member;
    for (int frame = 0; frame < 60; ++frame) {
        StepFrames(1);
        const float x = CurrentFieldFrame().ToScreen(member->position).x;
        if (startOffset > 0.0f) {
            EXPECT_GE(x, 319.0f) << "passed the centre at frame " << frame;
        } else {
            EXPECT_LE(x, 321.0f) << "passed the centre at frame " << frame;
        }
    }
    EXPECT_NEAR(CurrentFieldFrame().ToScreen(member->position).x, 320.0f, 1.0f);
    EXPECT_NEAR(CurrentFieldFrame().ToScreen(member->position).y, 180.0f, 1.0f);

    // Mode 2: the crew member walks across the ship and stops; the view brings its middle to the centre.
    camera.mode = GAME_CCamera2D::kFollowCrew;
    camera.followedObject = nullptr;
    camera.followedCrew = member;
    constexpr int kWalkFrames = 40;
    for (int frame = 1; frame <= kWalkFrames; ++frame) {
        const float t = static_cast<float>(frame) / kWalkFrames;
        member->position = {from.x + (to.x - from.x) * t, from.y + (to.y - from.y) * t};
        StepFrames(1);
    }
    StepFrames(120);
    const vesk::math::Vec2 middle = CrewMiddleOnScreen(*member);
    EXPECT_NEAR(middle.x, 320.0f, 2.0f);
    EXPECT_NEAR(middle.y, 180.0f, 2.0f);

    // One that has died is no longer followed.
    member->dead = 1;
    const std::int16_t scrollX = ship.scrollX;
    member->position = from;
    StepFrames(10);
    EXPECT_EQ(ship.scrollX, scrollX);
    member->dead = 0;
}

TEST_F(MainGameTest, TheWheelAndTheZoomKeysZoomTheShipViewWhileTheFieldIsThePlayers)
{
    GAME_CCamera2D& camera = *world->camera;
    camera.SetZoom(2.0f, 0);
    StepFrames(1);
    HoldAction(kActionZoomIn, 20);
    StepFrames(25);
    EXPECT_GT(camera.zoom, 2.1f);
    const float zoomedIn = camera.zoom;
    HoldAction(kActionZoomOut, 40);
    StepFrames(45);
    EXPECT_LT(camera.zoom, zoomedIn - 0.3f);
    const float before = camera.zoom;
    Wheel(1);
    StepFrames(1);
    EXPECT_NEAR(camera.zoom, before * 1.1f, 1e-4f);
    Wheel(-2);
    StepFrames(1);
    EXPECT_NEAR(camera.zoom, before * 1.1f * 0.8f, 1e-4f);

    // A screen that takes the field away takes the zoom with it.
    UI().SetOpen(kSlotMessageLog, true);
    ASSERT_TRUE(StepUntil([&] { return UI().IsOpen(kSlotMessageLog); }, 30));
    ASSERT_FALSE(UI().GetTopFieldControl());
    const float blocked = camera.zoom;
    Wheel(2);
    HoldAction(kActionZoomIn, 10);
    StepFrames(12);
    EXPECT_EQ(camera.zoom, blocked);
}

// The ship's view scrolled to its limit while zoomed in and then zoomed out with the wheel keeps the
// ship in sight: its grid still covers the canvas centre, rather than standing small in the canvas
// corner behind the HUD. Zoomed in, the grid's centre still goes as far as the canvas edge.
TEST_F(MainGameTest, ZoomingOutFromTheViewsLimitKeepsTheShipInSight)
{
    GAME_CCamera2D& camera = *world->camera;
    const GAME_CShip& ship = *world->ship;
    const auto gridCentre = [&] {
        float minX = 0.0f, minY = 0.0f, maxX = 0.0f, maxY = 0.0f;
        ship.GetGridScreenMin(&minX, &minY);
        ship.GetGridScreenMax(&maxX, &maxY);
        return vesk::math::Vec2{(minX + maxX) * 0.5f, (minY + maxY) * 0.5f};
    };
    const auto coversCanvasCentre = [&] {
        float minX = 0.0f, minY = 0.0f, maxX = 0.0f, maxY = 0.0f;
        ship.GetGridScreenMin(&minX, &minY);
        ship.GetGridScreenMax(&maxX, &maxY);
        return minX <= 320.0f && 320.0f <= maxX && minY <= 180.0f && 180.0f <= maxY;
    };
    StepFrames(2);
    EXPECT_TRUE(coversCanvasCentre());

    for (int notch = 0; notch < 30; ++notch) {
        Wheel(1);
        StepFrames(1);
    }
    ASSERT_FLOAT_EQ(camera.zoom, camera.zoomMax);
    HoldAction(kActionCursorUp, 120);
    HoldAction(kActionCursorLeft, 120);
    StepFrames(130);
    EXPECT_NEAR(gridCentre().x, 640.0f, 1.0f);
    EXPECT_NEAR(gridCentre().y, 360.0f, 1.0f);

    for (int notch = 0; notch < 40; ++notch) {
        Wheel(-1);
        StepFrames(1);
    }
    ASSERT_FLOAT_EQ(camera.zoom, camera.zoomMin);
    StepFrames(2);
    EXPECT_TRUE(coversCanvasCentre()) << "grid centre " << gridCentre().x << ", " << gridCentre().y;
    // Scrolling on does not take it away either, and the way back is open.
    HoldAction(kActionCursorUp, 60);
    HoldAction(kActionCursorLeft, 60);
    StepFrames(70);
    EXPECT_TRUE(coversCanvasCentre()) << "grid centre " << gridCentre().x << ", " << gridCentre().y;
    const std::int16_t cornerX = ship.scrollX;
    const std::int16_t cornerY = ship.scrollY;
    HoldAction(kActionCursorDown, 60);
    HoldAction(kActionCursorRight, 60);
    StepFrames(70);
    EXPECT_TRUE(coversCanvasCentre());
    EXPECT_LT(ship.scrollX, cornerX);
    EXPECT_LT(ship.scrollY, cornerY);
}

// A road's script turns the camera to a cell while the crew window follows a member; the window closes
// before the view has reached the cell and frees the camera. The cut-short request no longer holds the
// zoom back: the wheel zooms the ship again.
TEST_F(MainGameTest, AFocusCutShortByTheClosingCrewWindowLeavesTheWheelItsZoom)
{
    GAME_CCamera2D& camera = *world->camera;
    const GAME_CShip& ship = *world->ship;
    GAME_CObjectActor* member = AddCrewMember();
    ASSERT_NE(member, nullptr);
    auto& window = *UI().Get<GAME_CUIActorStatus>();
    window.OpenOnCrewMember(member);
    ASSERT_TRUE(StepUntil([&] { return window.State() == UIScreenState::kMain; }, 10));
    EXPECT_EQ(camera.mode, GAME_CCamera2D::kFollowObject);

    // The floor cell farthest from the canvas centre.
    int farX = -1, farY = -1;
    float farthest = -1.0f;
    for (int y = 0; y < ship.grid.height; ++y) {
        for (int x = 0; x < ship.grid.width; ++x) {
            if (ship.grid.GetCell(x, y)->usable == 0) continue;
            float cellX = 0.0f, cellY = 0.0f;
            camera.CellScreenPosition(x, y, &cellX, &cellY);
            const float distance = std::hypot(cellX - 320.0f, cellY - 180.0f);
            if (distance > farthest) {
                farthest = distance;
                farX = x;
                farY = y;
            }
        }
    }
    ASSERT_GT(farthest, 40.0f);
    ASSERT_TRUE(camera.FocusCell(farX, farY));
    window.SetOpen(false);
    ASSERT_TRUE(StepUntil([&] { return !window.IsOpen(); }, 10));
    EXPECT_EQ(camera.mode, GAME_CCamera2D::kFree);
    StepFrames(30);

    const float before = camera.zoom;
    Wheel(1);
    StepFrames(1);
    EXPECT_NEAR(camera.zoom, before * 1.1f, 1e-4f);
    HoldAction(kActionZoomOut, 10);
    StepFrames(12);
    EXPECT_LT(camera.zoom, before * 1.1f);
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
