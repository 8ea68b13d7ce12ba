// The game layer's start-up, frame and shut-down.
#include "game/core/app/game_app.h"

#include "framework/app/framework_manager.h"
#include "framework/input/input_manager.h"
#include "framework/process/quitting.h"

namespace varnolis {

void GameApplication::GameStartup() {}

int GameApplication::GameFrame()
{
    vesk::input::UpdateInput();
    vesk::app::BeginFrameDraw();
    vesk::app::EndFrameDraw();
    return vesk::process::IsQuitting() ? 1 : 0;
}

void GameApplication::GameShutdown() {}

}  // namespace varnolis
