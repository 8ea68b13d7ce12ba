// The game layer behind the framework's main loop: its start-up, frame and shut-down.
#pragma once

#include "framework/app/game.h"

namespace varnolis {

// The game as the framework runs it.
class GameApplication final : public vesk::app::Game {
public:
    void GameStartup() override;
    // Non-zero once the application is quitting.
    int GameFrame() override;
    void GameShutdown() override;
};

}  // namespace varnolis
