// The presenter: pacing, and the back buffer shown scaled to the window.
#include <gtest/gtest.h>

#include <chrono>
#include <ctime>

#include "platform/graphics/presenter.h"
#include "platform/graphics/resources.h"
#include "platform/window.h"

namespace {

using namespace platform::gfx;

double ThreadCpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// The main window at 320 x 180 with a presenter on it, for one test.
class PresenterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(platform::CreateMainWindow("presenter_test", u"presenter test", 320, 180));
        ASSERT_TRUE(presenter.CreateForMainWindow());
        EXPECT_FALSE(presenter.HasVsync());  // the dummy driver has none
        EXPECT_TRUE(presenter.IsPaced());
    }
    void TearDown() override
    {
        presenter.Destroy();
        platform::DestroyMainWindow();
    }

    Presenter presenter;
};

TEST_F(PresenterTest, PacesSixtyFramesASecondBySleepingUnlessUnpaced)
{
    Texture small(320, 180, PixelFormat::R8G8B8A8);
    Texture large(640, 360, PixelFormat::R8G8B8A8);
    EXPECT_TRUE(presenter.Present(small));
    auto start = std::chrono::steady_clock::now();
    const double cpuStart = ThreadCpuSeconds();
    for (int i = 0; i < 6; ++i) EXPECT_TRUE(presenter.Present(i % 2 ? small : large));
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_GE(seconds, 5.5 / 60.0);
    EXPECT_LT(seconds, 1.0);
    // The wait for the next frame sleeps rather than spins.
    EXPECT_LT(ThreadCpuSeconds() - cpuStart, seconds / 2);

    // Unpaced, thirty frames do not wait for half a second of frame times.
    presenter.SetPaced(false);
    start = std::chrono::steady_clock::now();
    for (int i = 0; i < 30; ++i) EXPECT_TRUE(presenter.Present(small));
    seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, 15.0 / 60.0);

    EXPECT_FALSE(presenter.Present(Texture(0, 0, PixelFormat::B8G8R8A8)));
}

// Synced to a display of 75, 120 or 144 Hz the game would run that much
// faster: the clock holds it to 60 frames a second as without a sync.
TEST_F(PresenterTest, SyncToAFasterDisplayStillGivesSixtyFramesASecond)
{
    Texture small(320, 180, PixelFormat::R8G8B8A8);
    const auto secondsForFrames = [&](int frames) {
        EXPECT_TRUE(presenter.Present(small));
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < frames; ++i) EXPECT_TRUE(presenter.Present(small));
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    };
    presenter.ClaimVsyncForTesting(144);
    EXPECT_GE(secondsForFrames(6), 5.5 / 60.0);

    // At 60 Hz (59.94 Hz too), or a rate the display does not tell, the sync
    // alone waits; the dummy renderer's never does.
    for (int refreshHz : {60, 59, 0}) {
        presenter.ClaimVsyncForTesting(refreshHz);
        EXPECT_LT(secondsForFrames(30), 15.0 / 60.0) << refreshHz << " Hz";
    }
}

// Each window pixel shows the back buffer pixel it falls in (a 160 x 90 one
// covers 2 x 2 window pixels); a translucent pixel still shows its own
// colour, as a window ignores alpha.
void ExpectTheBackBufferScaledToTheWindow(Presenter& presenter, int backWidth, int backHeight)
{
    Texture back(backWidth, backHeight, PixelFormat::B8G8R8A8);
    for (int y = 0; y < backHeight; ++y) {
        for (int x = 0; x < backWidth; ++x) {
            back.Pixels()[y * backWidth + x] = 0x00000000u | ((x * 37 + y) & 0xFF) << 24 | (x & 0xFF) << 16 |
                                                (y & 0xFF) << 8 | ((x ^ y) & 0xFF);
        }
    }
    ASSERT_TRUE(presenter.Present(back));
    std::vector<std::uint32_t> shown;
    int width = 0, height = 0;
    ASSERT_TRUE(presenter.ReadShownPixels(shown, width, height));
    int windowWidth = 0, windowHeight = 0;
    ASSERT_TRUE(platform::GetWindowClientSize(windowWidth, windowHeight));
    ASSERT_EQ(width, windowWidth);
    ASSERT_EQ(height, windowHeight);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint32_t want = back.Pixel(x * backWidth / width, y * backHeight / height) & 0x00FFFFFFu;
            ASSERT_EQ(shown[static_cast<std::size_t>(y) * width + x] & 0x00FFFFFFu, want)
                << x << "," << y << " from " << backWidth << " x " << backHeight;
        }
    }
}

TEST_F(PresenterTest, ShowsTheBackBufferScaledToTheWindowWithItsColoursAsTheyAre)
{
    // SDL's renderer on the dummy driver draws in software: the presenter
    // scales into the window's surface itself, as over a software OpenGL.
    EXPECT_TRUE(presenter.ScalesItself());
    ExpectTheBackBufferScaledToTheWindow(presenter, 160, 90);
    // As large, twice, three times as wide, or neither; and a resized window.
    for (const int windowWidth : {320, 330}) {
        platform::SetWindowClientSize(windowWidth, 180);
        for (const int backWidth : {windowWidth, windowWidth / 2, windowWidth / 3, 107}) {
            ExpectTheBackBufferScaledToTheWindow(presenter, backWidth, 70);
        }
    }
}

TEST(Presenter, NeedsAWindow)
{
    Presenter presenter;
    EXPECT_FALSE(presenter.Create(nullptr));
    EXPECT_FALSE(presenter.CreateForMainWindow());  // none open
    Texture t(4, 4, PixelFormat::B8G8R8A8);
    EXPECT_FALSE(presenter.Present(t));
    std::vector<std::uint32_t> pixels;
    int width = 0, height = 0;
    EXPECT_FALSE(presenter.ReadShownPixels(pixels, width, height));
}

}  // namespace
