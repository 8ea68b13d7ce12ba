// The program's run: the framework brought up, the main loop, and the framework taken down.
#pragma once

#include <string>

#include "framework/app/game.h"

namespace vesk::app {

// Brings the framework and the game up, runs the main loop until the game asks to
// quit and tears everything down again. Returns 0 when the loop ended, 1 when no
// window could be made.
int RunApplication(const std::u16string& commandLine, Game& game);

}  // namespace vesk::app
