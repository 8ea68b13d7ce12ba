// The main-game scene: runs the save machine, play time, camera, UI and travel, and the simulation steps.
#include "game/core/scene/scene_main_game.h"

#include <algorithm>

#include "game/core/achievement/achievements.h"
#include "game/core/data/player_data.h"
#include "game/core/save/save_manager.h"
#include "game/core/scene/scene_stack.h"
#include "game/core/world/game_over_causes.h"
#include "game/core/world/game_world.h"

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
    const GAME_CUIManager& ui = *world->ui;
    if (ui.IsOpen(kSlotGameOver) || ui.IsOpen(kSlotTitle) || ui.IsOpen(kSlotShipChange)) return;
    if (!ui.IsOpen(kSlotCommon) || !ui.IsOpen(kSlotShipStatus)) return;
    const GAME_CRouteManager* route = world->travel->routeManager.get();
    if (route != nullptr && route->IsRouteEventRunning()) return;
    if (world->ship->GetRemainingHull() > 0) {
        if (!world->fieldObjects->crew.empty()) return;
        world->ui->SetGameOverCause(kGameOverCauseCrew);
    } else {
        world->ui->SetGameOverCause(kGameOverCauseHull);
    }
    world->ui->SetOpen(kSlotGameOver, true);
}

void GAME_CSceneGameMain::Draw() { GetGameWorld()->Draw(); }

void GAME_CSceneGameMain::DrawExtra() { GetGameWorld()->DrawExtra(); }

void GAME_CSceneGameMain::UpdateCovered() { GetGameWorld()->Step(); }
