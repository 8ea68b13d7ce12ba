#include "game/core/app/game_app.h"

#include <chrono>
#include <thread>

void GameStartup() {}

int GameFrame()
{
    // No scenes yet: keep the pace of a 60 Hz display.
    std::this_thread::sleep_for(std::chrono::milliseconds(16));
    return 0;
}

void GameShutdown() {}
