#include <filesystem>

#include <gtest/gtest.h>

#include "framework/app/application.h"
#include "framework/app/framework_manager.h"
#include "framework/app/quitting.h"
#include "platform/window.h"

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
    g_run = {};
    std::filesystem::remove_all(kSaveFolder);
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
    g_run = {};
    g_run.showState = platform::ShowState::Minimized;
    EXPECT_EQ(RunApplication(u"", {CloseWindowAtStartup, CountFrame, CountShutdown}), 0);
    EXPECT_EQ(g_run.frames, 0);
    EXPECT_EQ(g_run.shutdowns, 1);
}

}  // namespace
}  // namespace vesk::app
