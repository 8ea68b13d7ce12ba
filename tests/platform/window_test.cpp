// The main window where there is no display to show it on, and the text input it is made with.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "platform/window.h"
#include "tests/support/scoped_env.h"

namespace platform {
namespace {

TEST(MainWindow, WithNoDisplayAtAllThereIsNoWindowAndTheFailureSaysWhy)
{
    support::ScopedEnv driver("SDL_VIDEODRIVER", nullptr);
    support::ScopedEnv x11("DISPLAY", nullptr);
    support::ScopedEnv wayland("WAYLAND_DISPLAY", nullptr);
    if (std::filesystem::exists("/dev/dri")) {
        GTEST_SKIP() << "a console display (DRM) may show a window without X11 or Wayland";
    }
    const bool created = CreateMainWindow("test", u"test", 320, 200);
    if (created) DestroyMainWindow();
    EXPECT_FALSE(created);
    EXPECT_NE(MainWindowFailure().find("there is no display"), std::string::npos) << MainWindowFailure();

    // Named in SDL_VIDEODRIVER, a driver that shows nothing is what the caller wants.
    support::ScopedEnv dummy("SDL_VIDEODRIVER", "dummy");
    ASSERT_TRUE(CreateMainWindow("test", u"test", 320, 200)) << MainWindowFailure();
    DestroyMainWindow();
}

// SDL turns text input on as its video starts; an input method could then take keys from the game.
TEST(MainWindow, IsMadeWithTextInputOff)
{
    support::ScopedEnv dummy("SDL_VIDEODRIVER", "dummy");
    ASSERT_TRUE(CreateMainWindow("test", u"test", 320, 200)) << MainWindowFailure();
    EXPECT_FALSE(IsTextInputOn());
    DestroyMainWindow();
}

}  // namespace
}  // namespace platform
