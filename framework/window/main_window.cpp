// The main window's creation, frame measure, cursor and activation hook.
#include "framework/window/main_window.h"

#include <optional>
#include <string>

#include "framework/log/log.h"
#include "framework/process/canvas.h"
#include "platform/window.h"

namespace vesk::window {

namespace {
MainWindowRecord g_record;
void (*g_activationHook)() = nullptr;
std::optional<DisplaySizes> g_testDisplay;
}  // namespace

MainWindowRecord& GetMainWindowRecord()
{
    return g_record;
}

bool CreateMainWindow(std::u16string_view title)
{
    g_record = MainWindowRecord{};
    const process::WindowSize size = process::GetInitialWindowSize();
    g_record.initialWidth = static_cast<int>(size.width);
    g_record.initialHeight = static_cast<int>(size.height);

    if (!platform::CreateMainWindow(kWindowClassName, std::u16string(title), g_record.initialWidth,
                                    g_record.initialHeight)) {
        log::Error("cannot open a window: " + platform::MainWindowFailure());
        return false;
    }
    MeasureWindowFrame();
    platform::SetWindowFramePosition(0, 0);
    return true;
}

void MeasureWindowFrame()
{
    if (g_record.extraWidth >= 0 && g_record.extraHeight >= 0) return;
    int extraWidth = 0;
    int extraHeight = 0;
    if (platform::GetWindowFrameExtra(extraWidth, extraHeight)) {
        g_record.extraWidth = extraWidth;
        g_record.extraHeight = extraHeight;
    }
}

void SetWindowedClientSize(int width, int height)
{
    platform::SetWindowClientSize(width, height);
    process::SetCanvasClientSize(width, height);
}

void SetFullScreen(bool fullScreen)
{
    if (fullScreen == platform::IsWindowFullScreen()) return;
    if (!platform::SetWindowFullScreen(fullScreen)) {
        log::Warning(fullScreen ? "the window cannot go full screen" : "the window cannot leave full screen");
    }
}

bool IsFullScreen()
{
    return platform::IsWindowFullScreen();
}

void ShowMainWindow()
{
    platform::ShowMainWindow();
}

void SetMainWindowTitle(std::u16string_view title)
{
    platform::SetWindowTitle(std::u16string(title));
}

std::u16string GetMainWindowTitle()
{
    return platform::GetWindowTitle();
}

void ReleaseMainWindow()
{
    platform::DestroyMainWindow();
}

void SetDisplaySizesForTesting(std::optional<DisplaySizes> sizes) { g_testDisplay = sizes; }

MonitorSize GetMonitorSize()
{
    if (g_testDisplay) return g_testDisplay->monitor;
    int width = 0;
    int height = 0;
    if (!platform::GetMonitorSize(width, height)) return {};
    return {static_cast<float>(width), static_cast<float>(height)};
}

int GetScreenHeight()
{
    if (g_testDisplay) return g_testDisplay->screenHeight;
    int height = 0;
    return platform::GetPrimaryDisplayHeight(height) ? height : 0;
}

void OnWindowActivated()
{
    if (g_activationHook) g_activationHook();
}

void SetActivationHook(void (*hook)())
{
    g_activationHook = hook;
}

}  // namespace vesk::window
