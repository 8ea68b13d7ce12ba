// The canvas set-up and the view record's client size.
#include <gtest/gtest.h>

#include "framework/process/canvas.h"

namespace vesk::process {
namespace {

TEST(Canvas, SetupGivesA640By360WindowWithTheCanvasAtTheOrigin)
{
    SetupCanvas();
    const CanvasView& view = GetCanvasView(0);
    EXPECT_EQ(view.originX, 0.0f);
    EXPECT_EQ(view.originY, 0.0f);
    EXPECT_EQ(GetInitialWindowSize().width, 640.0f);
    EXPECT_EQ(GetInitialWindowSize().height, 360.0f);
    EXPECT_EQ(view.canvasWidth, 640.0f);
    EXPECT_EQ(view.canvasHeight, 360.0f);
    EXPECT_EQ(view.clientWidth, 640.0f);
    EXPECT_EQ(view.clientHeight, 360.0f);
    EXPECT_EQ(view.centreX, 320.0f);
    EXPECT_EQ(view.centreY, 180.0f);

    // The second record stays empty.
    EXPECT_EQ(GetCanvasView(1).canvasWidth, 0.0f);

    // Running the set-up again does not grow the window.
    SetupCanvas();
    EXPECT_EQ(GetInitialWindowSize().height, 360.0f);
}

TEST(Canvas, NewClientSizeIsKeptWithItsSizeRoundedUpTo32)
{
    SetupCanvas();
    SetCanvasClientSize(1920, 1080);
    const CanvasView& view = GetCanvasView(0);
    EXPECT_EQ(view.clientWidth, 1920.0f);
    EXPECT_EQ(view.clientHeight, 1080.0f);
    EXPECT_EQ(view.alignedClientWidth, 1920.0f);
    EXPECT_EQ(view.alignedClientHeight, 1088.0f);
    EXPECT_EQ(view.canvasWidth, 640.0f);
}

}  // namespace
}  // namespace vesk::process
