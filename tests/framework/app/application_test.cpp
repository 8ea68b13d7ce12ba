#include <cstdlib>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "framework/app/application.h"
#include "framework/app/framework_manager.h"
#include "framework/app/quitting.h"
#include "platform/window.h"
#include "tests/framework/file/scratch_folder.h"
#include "tests/framework/log/log_capture.h"

namespace vesk::app {
namespace {

struct Run {
    int startups = 0;
    int frames = 0;
    int shutdowns = 0;
    int framesUntilQuit = -1;  // the frame itself returns 1 after this many
    bool managerDuringRun = false;
    std::optional<platform::ShowState> showState;
};
Run g_run;

void CloseWindowAtStartup()
{
    ++g_run.startups;
    g_run.managerDuringRun = GetFrameworkManager() != nullptr;
    platform::SetTestShowState(g_run.showState);
    platform::WindowEvent close;
    close.type = platform::WindowEventType::Close;
    platform::PushTestEvent(close);
}

void CountStartup()
{
    ++g_run.startups;
}

int CountFrame()
{
    ++g_run.frames;
    if (g_run.framesUntilQuit >= 0 && g_run.frames >= g_run.framesUntilQuit) return 1;
    return IsQuitting() ? 1 : 0;
}

void CountShutdown()
{
    ++g_run.shutdowns;
    platform::SetTestShowState(std::nullopt);
}

TEST(Application, ClosingTheWindowEndsTheLoopAndShutsDown)
{
    file::test::ScratchFolder scratch;  // start-up makes its save folder in the current one
    g_run = {};
    EXPECT_EQ(RunApplication(u"-scr_w 800", {CloseWindowAtStartup, CountFrame, CountShutdown}), 0);
    EXPECT_EQ(g_run.startups, 1);
    EXPECT_EQ(g_run.shutdowns, 1);
    EXPECT_TRUE(g_run.managerDuringRun);
    EXPECT_TRUE(IsQuitting());
    EXPECT_EQ(GetFrameworkManager(), nullptr);
    EXPECT_TRUE(std::filesystem::is_directory(kSaveFolder));
    EXPECT_EQ(GetCommandLine(), u"-scr_w 800");

    // A second run finds the folder there and starts from a cleared flag.
    g_run = {};
    g_run.framesUntilQuit = 3;
    EXPECT_EQ(RunApplication(u"", {CountStartup, CountFrame, CountShutdown}), 0);
    EXPECT_EQ(g_run.frames, 3);
    EXPECT_FALSE(IsQuitting());
}

TEST(Application, MinimisedWindowRunsNoFrameBeforeTheClose)
{
    file::test::ScratchFolder scratch;
    g_run = {};
    g_run.showState = platform::ShowState::Minimized;
    EXPECT_EQ(RunApplication(u"", {CloseWindowAtStartup, CountFrame, CountShutdown}), 0);
    EXPECT_EQ(g_run.frames, 0);
    EXPECT_EQ(g_run.shutdowns, 1);
}

}  // namespace
}  // namespace vesk::app

namespace vesk::app {
namespace {

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const char* value) : name_(name)
    {
        if (const char* old = std::getenv(name)) old_ = old;
        setenv(name, value, 1);
    }
    ~ScopedEnv()
    {
        if (old_) setenv(name_, old_->c_str(), 1);
        else unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

TEST(Application, WithoutAWindowItReportsAndEndsInsteadOfRunningUnseen)
{
    ScopedEnv driver("SDL_VIDEODRIVER", "no_such_driver");
    file::test::ScratchFolder scratch;
    log::test::LogCapture log;
    g_run = {};
    EXPECT_EQ(RunApplication(u"", {CountStartup, CountFrame, CountShutdown}), 1);
    EXPECT_EQ(g_run.startups, 0);
    EXPECT_EQ(g_run.frames, 0);
    EXPECT_EQ(g_run.shutdowns, 0);
    EXPECT_EQ(GetFrameworkManager(), nullptr);
    EXPECT_TRUE(log.Contains("cannot create the game window"));
}

TEST(Application, UnknownLocaleInTheEnvironmentDoesNotStopStartUp)
{
    ScopedEnv locale("LC_ALL", "xx_NOWHERE.NOTACHARSET");
    file::test::ScratchFolder scratch;
    log::test::LogCapture log;
    g_run = {};
    g_run.framesUntilQuit = 1;
    EXPECT_EQ(RunApplication(u"", {CountStartup, CountFrame, CountShutdown}), 0);
    EXPECT_EQ(g_run.frames, 1);
    EXPECT_TRUE(log.Contains("locale"));
}

}  // namespace
}  // namespace vesk::app
