// The game-over sequence: its causes, the clean-up, the sinking hull, the route's label and the hand-back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string_view>
#include <vector>

#include "framework/memory/heaps.h"
#include "framework/utility/script_package/script_package.h"
#include "game/services/player/player_data.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_layout.h"
#include "game/services/save/save_manager.h"
#include "game/services/sound/sound_player.h"
#include "game/model/world/game_world.h"
#include "game/model/ship/task_base.h"
#include "game/services/input/input_actions.h"
#include "game/ui/screens/ui_common.h"
#include "game/ui/screens/ui_game_over.h"
#include "game/ui/ui_screen.h"
#include "platform/little_endian.h"
#include "tests/support/game_fixture.h"
#include "tests/support/idle_task.h"
#include "tests/support/script_assembly.h"

namespace {

using vesk::utility::script_package::UTL_CManager;

// A route whose game-over labels wait a few frames; no crew-gone label, so that cause falls back.
constexpr std::string_view kRouteScript = R"(
.entry 1
"経路":
    halt
"ゲームオーバー[舟損傷]":
    wait 5
    return
"ゲームオーバー[停滞]":
    wait 5
    return
"ゲームオーバー":
    wait 5
    return
)";

class GameOverTest : public support::GameFixture {
protected:
    void SetUp() override
    {
        GameFixture::SetUp();
        ASSERT_NO_FATAL_FAILURE(StartPlaying());
        world = GetGameWorld();
        const std::vector<std::uint8_t> bytes = support::AssemblePackage(kRouteScript, {});
        void* image = vesk::memory::MainHeapAlloc(bytes.size());
        std::memcpy(image, bytes.data(), bytes.size());
        ASSERT_EQ(package_.ParseScriptPackage(image, bytes.size(), "route.pac"), 1);
        world->travel->routeManager = std::make_unique<GAME_CRouteManager>();
        world->travel->routeManager->BeginRegistration(1, package_.FindProgram(1));
    }

    GAME_CUIGameOver& GameOver() const { return *UI().Get<GAME_CUIGameOver>(); }

    // The frame, counted from the first frame in the main state, at which the route's script started
    // the label; -1 when it did not within the frames.
    int FramesToLabel(std::u16string_view label, int maxFrames, int* seOf27 = nullptr)
    {
        GAME_CScriptRoute& script = world->travel->routeManager->Script();
        const auto found = script.FindLabel(label);
        EXPECT_TRUE(found.has_value());
        if (!StepUntil([&] { return GameOver().State() == GAME_CUIGameOver::kMain; }, 200)) return -1;
        const auto count27 = [&] {
            const auto& effects = frames.back().soundEffects;
            return static_cast<int>(std::count(effects.begin(), effects.end(), 27u));
        };
        int sounds = frames.empty() ? 0 : count27();
        for (int frame = 1; frame <= maxFrames; ++frame) {
            const auto& main = script.GetThreads()->Main();
            if (main.startIndex == found->commandIndex && (main.running != 0 || frame > 1)) {
                if (seOf27 != nullptr) *seOf27 = sounds;
                return frame - 1;
            }
            StepFrames(1);
            sounds += count27();
        }
        return -1;
    }

    void OpenHudAndStatus()
    {
        UI().SetOpen(kSlotShipStatus, true);
        UI().SetOpen(kSlotCommon, true);
    }

    GAME_CGameWorld* world = nullptr;

private:
    UTL_CManager package_;
};

TEST_F(GameOverTest, ADestroyedShipSinksForTwoHundredElevenFramesBeforeItsLabelAndComesBackWhole)
{
    GAME_CShip& ship = *world->ship;
    // A weary crew member, and one who has died.
    GAME_CObjectActor* weary = AddCrewMember();
    GAME_CObjectActor* dead = AddCrewMember();
    ASSERT_TRUE(weary != nullptr && dead != nullptr);
    weary->status.hp = 2000;
    weary->status.stamina = 1;
    dead->status.hp = 0;
    std::int32_t x = 0;
    std::int32_t y = 0;
    ASSERT_TRUE(ship.GetLowestFloorCell(&x, &y));
    ship.AddCellDamage(x, y, ship.hullMax);
    ship.fuel = 1;
    for (std::int32_t kind : {15, 9, 7}) world->tasks->tasks.push_back(new support::IdleTask(kind));
    UI().SetOpen(kSlotAllActorInfo, true);
    OpenHudAndStatus();
    StepFrames(1);
    ASSERT_TRUE(UI().IsOpen(kSlotGameOver));
    EXPECT_EQ(GameOver().cause, GAME_CUIGameOver::kCauseHull);

    // Every other screen is closed, asked again every 10 frames until all have slid away.
    StepFrames(1);
    ASSERT_EQ(GameOver().State(), GAME_CUIGameOver::kOpening);
    int frames = 0;
    while (GameOver().State() == GAME_CUIGameOver::kOpening && frames < 100) {
        StepFrames(1);
        ++frames;
    }
    EXPECT_EQ(frames, 21);  // asked at once, at 10 and at 20 frames; the 15-frame slides end between
    EXPECT_FALSE(UI().IsOpen(kSlotAllActorInfo));
    EXPECT_TRUE(UI().IsOpen(kSlotShipStatus));

    // Halfway, the hull shakes and has sunk a way.
    StepFrames(90);
    EXPECT_NE(ship.body->sinking, 0u);
    EXPECT_GT(ship.body->shakeY, 0.0f);
    EXPECT_EQ(FramesToLabel(u"ゲームオーバー[舟損傷]", 300) + 90, 211);

    // The label ends; the crew and the hull are restored, the tank filled, the tasks of driving and
    // attacking gone, and the HUD back.
    ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotGameOver); }, 30));
    EXPECT_GT(ship.GetRemainingHull(), 0);
    EXPECT_TRUE(ship.damageMarkers.empty());
    EXPECT_EQ(ship.fuel, ship.fuelCapacity);
    EXPECT_EQ(ship.body->sinking, 0u);
    EXPECT_EQ(weary->status.hp, weary->status.computed.maxHp * 1000);
    EXPECT_EQ(weary->status.stamina, weary->status.computed.maxStamina * 1000);
    EXPECT_EQ(dead->status.hp, 0);
    ASSERT_EQ(world->tasks->tasks.size(), 1u);
    EXPECT_EQ(world->tasks->tasks.front()->GetKind(), 7);
    EXPECT_TRUE(UI().IsOpen(kSlotCommon));
}

TEST_F(GameOverTest, ADestroyedShipWithoutCrewSinksWithTenSandBursts)
{
    // No crew either: the hull is looked at first.
    ASSERT_TRUE(world->fieldObjects->crew.empty());
    std::int32_t x = 0;
    std::int32_t y = 0;
    ASSERT_TRUE(world->ship->GetLowestFloorCell(&x, &y));
    world->ship->AddCellDamage(x, y, world->ship->hullMax);
    OpenHudAndStatus();
    int bursts = 0;
    EXPECT_EQ(FramesToLabel(u"ゲームオーバー[舟損傷]", 300, &bursts), 211);
    EXPECT_EQ(GameOver().cause, GAME_CUIGameOver::kCauseHull);
    EXPECT_EQ(bursts, 10);
}

TEST_F(GameOverTest, AStallRunsItsLabelAfterThirtyFramesAndACrewLabelThatBringsNobodyBackRunsOnce)
{
    // The stall: its route label after 30 frames.
    world->ui->SetGameOverCause(1);
    world->ui->SetOpen(kSlotGameOver, true);
    EXPECT_EQ(GameOver().cause, GAME_CUIGameOver::kCauseStalled);
    EXPECT_EQ(FramesToLabel(u"ゲームオーバー[停滞]", 100), 30);
    ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotGameOver); }, 30));

    // No crew: the game is over once; the route has no label for it, so the plain one runs, and it
    // brings nobody back. The game goes on without starting the game over again.
    ASSERT_TRUE(world->fieldObjects->crew.empty());
    OpenHudAndStatus();
    StepFrames(1);
    ASSERT_TRUE(UI().IsOpen(kSlotGameOver));
    EXPECT_EQ(GameOver().cause, GAME_CUIGameOver::kCauseCrewGone);
    EXPECT_EQ(FramesToLabel(u"ゲームオーバー", 100), 30);
    ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotGameOver); }, 30));
    ASSERT_TRUE(StepUntil([&] { return UI().IsOpen(kSlotCommon); }, 5));
    StepFrames(300);
    EXPECT_FALSE(UI().IsOpen(kSlotGameOver));

    // Once the crew has a member again, losing it ends the game again.
    GAME_CObjectActor* member = AddCrewMember();
    ASSERT_NE(member, nullptr);
    StepFrames(1);
    world->fieldObjects->crew.clear();
    StepFrames(1);
    EXPECT_TRUE(UI().IsOpen(kSlotGameOver));
}

// The HUD stays up under the sequence without input. A crew member in the player's hand followed the
// pointer over the sinking ship and was still carried when the game went on; a button cursor left up
// held the camera through it and after.
TEST_F(GameOverTest, TheHudLetsGoOfACarriedCrewMemberAndTakesItsButtonCursorDown)
{
    GAME_CObjectActor* member = AddCrewMember();
    ASSERT_NE(member, nullptr);
    OpenHudAndStatus();
    GAME_CUICommon& hud = *UI().Get<GAME_CUICommon>();
    ASSERT_TRUE(StepUntil([&] { return hud.State() == UIScreenState::kMain; }, 40));
    const auto stall = [&] {
        world->ui->SetGameOverCause(1);
        world->ui->SetOpen(kSlotGameOver, true);
        ASSERT_TRUE(StepUntil([&] { return GameOver().State() == GAME_CUIGameOver::kMain; }, 40));
    };

    hud.BeginMoveActor(member);
    PointerMove(200, 120);
    StepFrames(2);
    ASSERT_EQ(hud.SubStateNow(), GAME_CUICommon::kCrewMove);
    ASSERT_EQ(member->held, 1);
    ASSERT_NO_FATAL_FAILURE(stall());
    EXPECT_EQ(member->held, 0);
    EXPECT_EQ(hud.MovedActor(), nullptr);
    const vesk::math::Vec2 standing = member->position;
    PointerMove(420, 160);
    StepFrames(5);
    EXPECT_EQ(member->position.x, standing.x);
    EXPECT_EQ(member->position.y, standing.y);
    ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotGameOver); }, 100));
    StepFrames(1);
    EXPECT_EQ(hud.SubStateNow(), GAME_CUICommon::kIdle);
    EXPECT_TRUE(hud.PassesInput());

    PressAction(kActionGameplayMenu);
    StepFrames(2);
    ASSERT_EQ(hud.SubStateNow(), GAME_CUICommon::kButtonCursor);
    ASSERT_EQ(world->camera->followsInput, 0u);
    ASSERT_NO_FATAL_FAILURE(stall());
    EXPECT_EQ(hud.SubStateNow(), GAME_CUICommon::kIdle);
    EXPECT_EQ(world->camera->followsInput, 1u);
}

TEST_F(GameOverTest, NoAutosaveKeepsADestroyedShipAndTheTimerSavesOnceTheGameOverHasRestoredIt)
{
    GAME_CSaveManager& saves = *GetSaveManager();
    GetPlayerData()->autoSaveMinutes = 1;
    ASSERT_NE(AddCrewMember(), nullptr);  // a ship with nobody alive aboard is not saved either
    OpenHudAndStatus();
    StepFrames(1);  // the timer takes the interval
    ASSERT_EQ(saves.autoSaveInterval, 3600u);
    std::int32_t x = 0;
    std::int32_t y = 0;
    ASSERT_TRUE(world->ship->GetLowestFloorCell(&x, &y));
    const auto autosavedDamage = [] {
        return platform::ReadI16(GetSaveAreas().ImageSlot(0), save_layout::slot::kDamageMarkers);
    };
    const std::int16_t before = autosavedDamage();

    // The autosave falls due in the frame the hull gives out, and again while the ship sinks.
    saves.autoSaveCounter = saves.autoSaveInterval - 1;
    world->ship->AddCellDamage(x, y, world->ship->hullMax);
    StepFrames(1);
    ASSERT_TRUE(UI().IsOpen(kSlotGameOver));
    StepFrames(100);
    saves.autoSaveCounter = saves.autoSaveInterval - 1;
    ASSERT_TRUE(StepUntil([&] { return !UI().IsOpen(kSlotGameOver); }, 400));
    ASSERT_TRUE(StepUntilSaveIdle());
    EXPECT_EQ(autosavedDamage(), before);

    // With the hull restored the save is made, a little later, of a whole ship.
    ASSERT_TRUE(StepUntil([&] { return !saves.IsIdle(); }, 700));
    ASSERT_TRUE(StepUntilSaveIdle());
    EXPECT_EQ(autosavedDamage(), 0);
}

TEST_F(GameOverTest, NoAutosaveKeepsACrewWithNobodyAliveAndTheTimerSavesOnceSomeoneLivesAgain)
{
    GAME_CSaveManager& saves = *GetSaveManager();
    GetPlayerData()->autoSaveMinutes = 1;
    GAME_CObjectActor* last = AddCrewMember();
    ASSERT_NE(last, nullptr);
    OpenHudAndStatus();
    StepFrames(1);  // the timer takes the interval
    ASSERT_EQ(saves.autoSaveInterval, 3600u);
    const auto autosavedCrew = [] {
        return GetSaveAreas().ImageSlot(0)[save_layout::slot::kCrew + save_layout::slot::kCrewInUse];
    };
    // The crew lives: the autosave keeps it.
    saves.autoSaveCounter = saves.autoSaveInterval - 1;
    StepFrames(1);
    ASSERT_FALSE(saves.IsIdle());
    ASSERT_TRUE(StepUntilSaveIdle());
    ASSERT_EQ(autosavedCrew(), 1);

    // The last crew member is killed. The autosave falls due in every frame of its death, of the
    // frame it is gone and of the game over that follows: none is made.
    last->status.hp = 0;
    bool gameOver = false;
    bool saved = false;
    for (int frame = 0; frame < 600 && !(gameOver && !UI().IsOpen(kSlotGameOver)); ++frame) {
        saves.autoSaveCounter = saves.autoSaveInterval - 1;
        StepFrames(1);
        saved = saved || !saves.IsIdle();
        gameOver = gameOver || UI().IsOpen(kSlotGameOver);
    }
    ASSERT_TRUE(gameOver);
    EXPECT_EQ(GameOver().cause, GAME_CUIGameOver::kCauseCrewGone);
    EXPECT_FALSE(UI().IsOpen(kSlotGameOver));
    EXPECT_FALSE(saved);
    EXPECT_EQ(autosavedCrew(), 1);

    // The route's label brought nobody back: the game goes on, and still nothing is saved of it.
    ASSERT_TRUE(world->fieldObjects->crew.empty());
    saves.autoSaveCounter = saves.autoSaveInterval - 1;
    EXPECT_FALSE(StepUntil([&] { return !saves.IsIdle(); }, 700));

    // Someone joins the crew: the save is made a little later.
    ASSERT_NE(AddCrewMember(), nullptr);
    ASSERT_TRUE(StepUntil([&] { return !saves.IsIdle(); }, 700));
    ASSERT_TRUE(StepUntilSaveIdle());
    EXPECT_EQ(autosavedCrew(), 1);
}

}  // namespace
