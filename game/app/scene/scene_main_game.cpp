// The main-game scene: runs the save machine, play time, camera, UI and travel, and the simulation steps.
#include "game/app/scene/scene_main_game.h"

#include <algorithm>

#include "game/services/achievement/achievements.h"
#include "game/services/player/player_data.h"
#include "game/services/save/save_manager.h"
#include "game/app/scene/scene_stack.h"
#include "game/model/world/game_world.h"
#include "game/ui/screens/ui_game_over.h"
#include "game/ui/ui_manager.h"

namespace {

constexpr std::uint32_t kFramesPerSecond = 60;

void UpdateViewAndUI(GAME_CGameWorld& world)
{
    world.camera->Update();
    world.ui->UpdateScreens();
    world.travel->UpdateFrame();
    if (!world.ui->IsOpen(kSlotTitle)) UpdateAchievements(*GetAchievementManager());
}

}  // namespace

void GAME_CSceneGameMain::Update()
{
    GAME_CSaveManager* saves = GetSaveManager();
    saves->Step();
    GAME_CGameWorld* world = GetGameWorld();
    if (!saves->IsIdle() && saves->automatic == 0) {
        UpdateViewAndUI(*world);
        return;
    }
    if (++frameCounter >= kFramesPerSecond) {
        frameCounter = 0;
        if (GAME_CPlayerData* player = GetPlayerData()) {
            player->playSeconds = std::min(player->playSeconds + 1, kMaxPlaySeconds);
        }
    }
    UpdateViewAndUI(*world);
    if (world->paused != 0 || world->held != 0) {
        world->ship->body->Update();
    } else {
        TimeScale& scale = *world->timeScale;
        scale.accumulator += scale.speed;
        const int steps = static_cast<int>(std::max(scale.accumulator, 0.0f));
        for (int i = 0; i < steps; ++i) UpdateCovered();
        scale.accumulator -= static_cast<float>(steps);
        if (!world->ui->IsOpen(kSlotTitle)) {
            world->ship->UpdateHullAlerts();
            saves->UpdateAutoSaveTimer();
        }
    }
    CheckGameOver();
}

void GAME_CSceneGameMain::CheckGameOver()
{
    if (IsSceneOnStack(kSceneMiniGame)) return;
    GAME_CGameWorld* world = GetGameWorld();
    // After a game over for a crew that is gone, the check waits until the crew has a member again:
    // a route label that brings nobody back must not start the game over again at once.
    if (!world->fieldObjects->crew.empty()) crewCheckArmed = 1;
    GAME_CUIManager& ui = *UIManagerOf(world);
    if (ui.IsOpen(kSlotGameOver) || ui.IsOpen(kSlotTitle) || ui.IsOpen(kSlotShipChange)) return;
    if (!ui.IsOpen(kSlotCommon) || !ui.IsOpen(kSlotShipStatus)) return;
    const GAME_CRouteManager* route = world->travel->routeManager.get();
    if (route != nullptr && (route->IsRouteEventRunning() || route->IsStartRoute())) return;
    auto* gameOver = ui.Get<GAME_CUIGameOver>();
    if (gameOver == nullptr) return;
    // The causes are stored as the screen numbers them; only the stall goes through SetGameOverCause.
    if (world->ship->GetRemainingHull() <= 0) {
        gameOver->cause = GAME_CUIGameOver::kCauseHull;
    } else if (world->fieldObjects->crew.empty() && crewCheckArmed != 0) {
        crewCheckArmed = 0;
        gameOver->cause = GAME_CUIGameOver::kCauseCrewGone;
    } else {
        return;
    }
    ui.SetOpen(kSlotGameOver, true);
}

void GAME_CSceneGameMain::Draw() { GetGameWorld()->Draw(); }

void GAME_CSceneGameMain::DrawExtra() { GetGameWorld()->DrawExtra(); }

void GAME_CSceneGameMain::UpdateCovered() { GetGameWorld()->Step(); }
