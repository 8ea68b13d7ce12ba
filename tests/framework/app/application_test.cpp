// The program's run: start-up, main loop, the close of the window and shut-down.
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "framework/app/application.h"
#include "framework/app/framework_manager.h"
#include "framework/app/framework_session.h"
#include "framework/file/save_file.h"
#include "framework/process/quitting.h"
#include "platform/window.h"
#include "tests/support/log_capture.h"
#include "tests/support/scoped_env.h"
#include "tests/support/scratch_folder.h"

namespace vesk::app {
namespace {

// A game that counts its calls; it may close the window as it starts, or end the
// loop itself after a number of frames.
class CountingGame final : public Game {
public:
    int startups = 0;
    int frames = 0;
    int shutdowns = 0;
    int framesUntilQuit = -1;  // the frame itself returns 1 after this many
    bool closeAtStartup = false;
    bool managerDuringRun = false;
    std::optional<platform::ShowState> showState;

    void GameStartup() override
    {
        ++startups;
        managerDuringRun = GetFrameworkManager() != nullptr;
        if (!closeAtStartup) return;
        platform::SetTestShowState(showState);
        platform::WindowEvent close;
        close.type = platform::WindowEventType::Close;
        platform::PushTestEvent(close);
    }

    int GameFrame() override
    {
        ++frames;
        if (framesUntilQuit >= 0 && frames >= framesUntilQuit) return 1;
        return process::IsQuitting() ? 1 : 0;
    }

    void GameShutdown() override
    {
        ++shutdowns;
        platform::SetTestShowState(std::nullopt);
    }
};

TEST(Application, ClosingTheWindowEndsTheLoopAndShutsDown)
{
    support::ScratchFolder scratch;  // start-up makes its save folder in the current one
    CountingGame closing;
    closing.closeAtStartup = true;
    EXPECT_EQ(RunApplication(u"-scr_w 800", closing), 0);
    EXPECT_EQ(closing.startups, 1);
    EXPECT_EQ(closing.shutdowns, 1);
    EXPECT_TRUE(closing.managerDuringRun);
    EXPECT_TRUE(process::IsQuitting());
    EXPECT_EQ(GetFrameworkManager(), nullptr);
    EXPECT_TRUE(std::filesystem::is_directory(file::kSaveFolder));
    EXPECT_EQ(GetCommandLine(), u"-scr_w 800");

    // A second run finds the folder there and starts from a cleared flag.
    CountingGame counting;
    counting.framesUntilQuit = 3;
    EXPECT_EQ(RunApplication(u"", counting), 0);
    EXPECT_EQ(counting.frames, 3);
    EXPECT_FALSE(process::IsQuitting());
}

TEST(Application, MinimisedWindowRunsNoFrameBeforeTheClose)
{
    support::ScratchFolder scratch;
    CountingGame game;
    game.closeAtStartup = true;
    game.showState = platform::ShowState::Minimized;
    EXPECT_EQ(RunApplication(u"", game), 0);
    EXPECT_EQ(game.frames, 0);
    EXPECT_EQ(game.shutdowns, 1);
}

}  // namespace
}  // namespace vesk::app

namespace vesk::app {
namespace {

using support::ScopedEnv;

TEST(Application, WithoutAWindowItReportsAndEndsInsteadOfRunningUnseen)
{
    ScopedEnv driver("SDL_VIDEODRIVER", "no_such_driver");
    support::ScratchFolder scratch;
    support::LogCapture log;
    CountingGame game;
    EXPECT_EQ(RunApplication(u"", game), 1);
    EXPECT_EQ(game.startups, 0);
    EXPECT_EQ(game.frames, 0);
    EXPECT_EQ(game.shutdowns, 0);
    EXPECT_EQ(GetFrameworkManager(), nullptr);
    EXPECT_TRUE(log.Contains("cannot create the game window"));
}

TEST(Application, UnknownLocaleInTheEnvironmentDoesNotStopStartUp)
{
    ScopedEnv locale("LC_ALL", "xx_NOWHERE.NOTACHARSET");
    support::ScratchFolder scratch;
    support::LogCapture log;
    CountingGame game;
    game.framesUntilQuit = 1;
    EXPECT_EQ(RunApplication(u"", game), 0);
    EXPECT_EQ(game.frames, 1);
    EXPECT_TRUE(log.Contains("locale"));
}

}  // namespace
}  // namespace vesk::app
