#pragma once

#include <string>
#include <vector>

namespace vesk::app {

// The three entry points through which the framework hands control to the game.
// Frame returns non-zero to end the main loop.
struct GameCallbacks {
    void (*startup)() = nullptr;
    int (*frame)() = nullptr;
    void (*shutdown)() = nullptr;
};

// Brings the framework up, runs the main loop until the game asks to quit and
// tears everything down again. Returns the process exit code.
int RunApplication(const std::u16string& commandLine, const GameCallbacks& game);

}  // namespace vesk::app
