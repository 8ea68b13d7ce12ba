// The program's run: one framework session around the main loop.
#include "framework/app/application.h"

#include "framework/achievement/storefront_session.h"
#include "framework/app/framework_session.h"
#include "framework/process/quitting.h"
#include "framework/window/message_pump.h"

namespace vesk::app {

namespace {

// One frame per pass that the message pump allows; no fixed time step and no sleep,
// the presented frame paces the loop.
void RunMainLoop(Game& game)
{
    int quit = 0;
    while (quit == 0) {
        int exitCode = 0;
        if (window::PumpMessages(&quit, &exitCode) == 0) {
            achievement::RunStorefrontCallbacks();
            quit = game.GameFrame();
        }
    }
}

}  // namespace

int RunApplication(const std::u16string& commandLine, Game& game)
{
    FrameworkSession session(kAllFrameworkSystems | FrameworkSystem::Game, commandLine, &game);
    if (!session.Start()) return 1;
    RunMainLoop(game);
    session.Stop();
    return process::ExitStatus();
}

}  // namespace vesk::app
