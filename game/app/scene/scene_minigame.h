// The side-scrolling mini-game scene: its states from the title to the ranking, its music and its pause menu.
#pragma once

#include <cstdint>
#include <memory>

#include "game/app/scene/scene_base.h"
#include "game/model/minigame/minigame_ranking.h"
#include "game/model/minigame/minigame_world.h"

class GAME_CMiniGameCabinet;
class GAME_CMiniGameOverlays;
class GAME_CMiniGamePauseMenu;
class GAME_CScriptObjectSpawner;

// The scene owns the arcade world, the cabinet and its hold on the effect engine for as long as it
// lives. A state changes only through the next state, which Update applies at the start of the
// following frame. Only CANCEL on the title leaves it, back to the main game.
class GAME_CSceneMiniGameSideScroll final : public GAME_CSceneBase {
public:
    enum State : std::int32_t {
        kStart = 0,
        kTitle = 1,
        kCountdown = 2,
        kPlay = 3,
        kStill = 4,
        kFalling = 5,
        kGameOver = 6,
        kRanking = 7,
        kScoreEntry = 8,
        kBackToTitle = 9,
        kPause = 10,
    };

    GAME_CSceneMiniGameSideScroll();
    ~GAME_CSceneMiniGameSideScroll() override;

    void Update() override;
    void Draw() override;
    void DrawExtra() override {}
    bool IsEnd() const override { return endFlag_ != 0; }
    std::uint32_t GetSceneId() const override { return kSceneMiniGame; }
    void RequestEnd() override { endFlag_ = 1; }

    std::int32_t State() const { return state_; }
    std::int32_t NextState() const { return next_; }
    std::int32_t Counter() const { return counter_; }
    GAME_CMiniGameWorld& World() const { return *world_; }
    GAME_CMiniGameCabinet& Cabinet() const { return *cabinet_; }
    GAME_CMiniGamePauseMenu& PauseMenu() const { return *pause_; }
    const MiniGameNameEntry& NameEntry() const { return entry_; }

private:
    void OpenPause();
    void UpdateTitle();
    void UpdateCountdown();
    void UpdatePlay();
    void UpdateFalling();
    void UpdateGameOver();
    void UpdateRankingView();
    void UpdateScoreEntry();
    void UpdatePause();
    void WorldStep();

    std::int32_t state_ = kStart;
    std::int32_t next_ = kStart;
    std::int32_t counter_ = 0;
    std::uint32_t endFlag_ = 0;
    MiniGameNameEntry entry_;
    MiniGameControls controls_;
    std::unique_ptr<GAME_CMiniGameWorld> world_;
    std::unique_ptr<GAME_CMiniGameCabinet> cabinet_;
    std::unique_ptr<GAME_CScriptObjectSpawner> spawner_;
    std::unique_ptr<GAME_CMiniGamePauseMenu> pause_;
    std::unique_ptr<GAME_CMiniGameOverlays> overlays_;
};
