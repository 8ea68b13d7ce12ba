// The main-game scene: runs the save machine, play time, camera, UI and travel, and the simulation steps.
#pragma once

#include <cstdint>

#include "game/app/scene/scene_base.h"

class GAME_CSceneGameMain final : public GAME_CSceneBase {
public:
    void Update() override;
    void Draw() override;
    void DrawExtra() override;
    bool IsEnd() const override { return endFlag != 0; }
    std::uint32_t GetSceneId() const override { return kSceneGameMain; }
    // One simulation step.
    void UpdateCovered() override;
    void RequestEnd() override { endFlag = 1; }

    std::uint32_t frameCounter = 0;  // frames towards the next second of play time
    std::uint32_t endFlag = 0;
    std::uint32_t crewCheckArmed = 1;  // the empty-crew check may open the game over

private:
    void CheckGameOver();
};
