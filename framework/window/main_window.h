// The main window: its class name, its record, and its creation and placing.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vesk::window {

// The name the window is known by to the window system.
inline constexpr const char* kWindowClassName = "KLO";

// The window's part of the device record.
struct MainWindowRecord {
    int initialWidth = 0;          // client size at creation (640 x 360)
    int initialHeight = 0;
    int extraWidth = -1;           // what the frame adds to the client size; -1 until measured
    int extraHeight = -1;
    bool systemCursorShown = false;
};

MainWindowRecord& GetMainWindowRecord();

// Creates the window, hidden, at the initial window size of the canvas set-up, then
// moves its frame to the top-left corner of the screen. False when the window system
// cannot give a window.
bool CreateMainWindow(std::u16string_view title);

// Learns the frame's extra width and height once.
void MeasureWindowFrame();

// Gives the window a new client size and takes it into the canvas view record.
void SetWindowedClientSize(int width, int height);

// Full screen covers the whole monitor at its own size; the client size then follows it.
void SetFullScreen(bool fullScreen);
bool IsFullScreen();

void ShowMainWindow();
void SetMainWindowTitle(std::u16string_view title);
std::u16string GetMainWindowTitle();
void ReleaseMainWindow();

struct MonitorSize {
    float width = 0.0f;
    float height = 0.0f;
};

// The size of the monitor the window is on; 0 x 0 when unknown.
MonitorSize GetMonitorSize();

// The height of the primary screen in pixels, to tell whether a window size
// fits; 0 when unknown.
int GetScreenHeight();

// A display for tests to stand in for the real one (none: the platform's again).
struct DisplaySizes {
    int screenHeight = 0;
    MonitorSize monitor{};
};
void SetDisplaySizesForTesting(std::optional<DisplaySizes> sizes);

// Called when the window becomes active again: runs the activation hook.
void OnWindowActivated();
// What the graphics device does when the window becomes active again; null for
// nothing. The device sets it while it exists.
void SetActivationHook(void (*hook)());

}  // namespace vesk::window
