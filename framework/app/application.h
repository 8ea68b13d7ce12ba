#pragma once

#include <string>

namespace vesk::app {

// The three entry points through which the framework hands control to the game.
// Frame returns non-zero to end the main loop.
struct GameCallbacks {
    void (*startup)() = nullptr;
    int (*frame)() = nullptr;
    void (*shutdown)() = nullptr;
};

// Brings the framework up, runs the main loop until the game asks to quit and tears
// everything down again. Returns 0 when the loop ended, 1 when no window could be made.
int RunApplication(const std::u16string& commandLine, const GameCallbacks& game);

// The command line the application was started with.
const std::u16string& GetCommandLine();

// The folder of the save file, made at start-up in the current folder.
inline constexpr const char* kSaveFolder = "SaveWin";

}  // namespace vesk::app
