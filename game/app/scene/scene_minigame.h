// The side-scrolling mini-game scene.
#pragma once

#include "game/app/scene/scene_base.h"

// The mini-game is not there yet: the scene hands the game straight back to the main game.
class GAME_CSceneMiniGameSideScroll final : public GAME_CSceneBase {
public:
    void Update() override;
    void Draw() override {}
    void DrawExtra() override {}
    bool IsEnd() const override { return ended_; }
    std::uint32_t GetSceneId() const override { return kSceneMiniGame; }

private:
    bool ended_ = false;
};
