// The canvas view records, the initial window size and the current view index.
#include "framework/process/canvas.h"

namespace vesk::process {

namespace {
CanvasView g_views[kCanvasViewCount];
WindowSize g_initialWindowSize;
int g_currentViewIndex = 0;

float RoundUpTo32(int value)
{
    return static_cast<float>((value + 31) / 32 * 32);
}
}  // namespace

CanvasView& GetCanvasView(int index)
{
    return g_views[index == 1 ? 1 : 0];
}

WindowSize GetInitialWindowSize()
{
    return g_initialWindowSize;
}

void SetupCanvas()
{
    // The window starts no narrower than the canvas and one canvas high. Nothing sets a
    // larger start size: the command line's screen sizes are read but not applied.
    WindowSize size;
    if (size.width <= kCanvasWidth) size.width = kCanvasWidth;
    size.height += kCanvasHeight;
    g_initialWindowSize = size;

    g_views[0] = CanvasView{};
    g_views[1] = CanvasView{};
    CanvasView& view = g_views[0];
    view.canvasWidth = kCanvasWidth;
    view.canvasHeight = kCanvasHeight;
    view.clientWidth = kCanvasWidth;
    view.clientHeight = kCanvasHeight;
    view.alignedClientWidth = kCanvasWidth;
    view.alignedClientHeight = kCanvasHeight;
    view.baseWidth = kCanvasWidth;
    view.baseHeight = kCanvasHeight;
    view.centreX = kCanvasWidth * 0.5f;
    view.centreY = kCanvasHeight * 0.5f;
    view.originX = (size.width - kCanvasWidth) * 0.5f;
    view.originY = 0.0f;
}

void SetCanvasClientSize(int width, int height)
{
    CanvasView& view = g_views[0];
    view.clientWidth = static_cast<float>(width);
    view.clientHeight = static_cast<float>(height);
    view.alignedClientWidth = RoundUpTo32(width);
    view.alignedClientHeight = RoundUpTo32(height);
}

int GetCurrentViewIndex()
{
    return g_currentViewIndex;
}

void SetCurrentViewIndex(int index)
{
    g_currentViewIndex = index == 1 ? 1 : 0;
}

}  // namespace vesk::process
