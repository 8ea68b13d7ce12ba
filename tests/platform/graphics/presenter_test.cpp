#include <gtest/gtest.h>

#include <chrono>

#include "platform/graphics/presenter.h"
#include "platform/graphics/resources.h"
#include "platform/window.h"

namespace {

using namespace platform::gfx;

TEST(Presenter, ShowsBackBuffersOfAnySizeAtSixtyFramesASecond)
{
    ASSERT_TRUE(platform::CreateMainWindow("presenter_test", u"presenter test", 320, 180));
    {
        Presenter presenter;
        ASSERT_TRUE(presenter.CreateForMainWindow());
        EXPECT_FALSE(presenter.HasVsync());  // the dummy driver has none
        Texture small(320, 180, PixelFormat::R8G8B8A8);
        Texture large(640, 360, PixelFormat::R8G8B8A8);
        EXPECT_TRUE(presenter.Present(small));
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < 6; ++i) EXPECT_TRUE(presenter.Present(i % 2 ? small : large));
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        EXPECT_GE(seconds, 5.5 / 60.0);
        EXPECT_LT(seconds, 1.0);
        EXPECT_FALSE(presenter.Present(Texture(0, 0, PixelFormat::B8G8R8A8)));
    }
    platform::DestroyMainWindow();
}

TEST(Presenter, NeedsAWindow)
{
    Presenter presenter;
    EXPECT_FALSE(presenter.Create(nullptr));
    EXPECT_FALSE(presenter.CreateForMainWindow());  // none open
    Texture t(4, 4, PixelFormat::B8G8R8A8);
    EXPECT_FALSE(presenter.Present(t));
}

}  // namespace
