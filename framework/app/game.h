// The game as the framework sees it: three calls that hand control to the game layer.
#pragma once

namespace vesk::app {

// The game layer behind the framework's main loop. An implementation keeps its own
// state; the framework calls GameStartup once after every system is up, GameFrame
// once per frame the loop allows, and GameShutdown once before it tears down.
class Game {
public:
    virtual ~Game() = default;

    virtual void GameStartup() = 0;
    // Non-zero ends the main loop.
    virtual int GameFrame() = 0;
    virtual void GameShutdown() = 0;
};

}  // namespace vesk::app
