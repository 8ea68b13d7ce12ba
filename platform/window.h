// The one top-level window of the program and its message queue.
// Everything that touches the window system lives behind this interface; the
// framework sees only these plain types.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

enum class WindowEventType : uint8_t {
    None,          // a message the program leaves to the system; it still counts as one message
    Close,         // the user closes the window (also SIGTERM and SIGINT)
    Quit,          // the quit message posted by PostQuit
    Activated,     // the window gained the keyboard focus
    Deactivated,   // the window lost it
    Resized,       // the client area took a new size (x, y), whoever changed it
    MouseMove,
    ButtonDown,
    ButtonUp,
    Wheel,
    DeviceChange,  // a game pad was plugged in or removed
    KeyDown,       // first press only; the system's auto-repeat is dropped
    KeyUp,
};

enum class MouseButton : uint8_t { Left, Middle, Right };

struct WindowEvent {
    WindowEventType type = WindowEventType::None;
    int32_t x = 0;           // client pixels, for mouse moves and buttons; negative or beyond the
    int32_t y = 0;           // client size while the mouse is captured and outside the window;
                             // for Resized, the new client width and height
    MouseButton button = MouseButton::Left;
    int32_t wheelDelta = 0;  // 120 per notch, positive away from the user
    uint16_t keyCode = 0;    // physical key position: the USB HID usage id (the SDL scancode)
    int32_t exitCode = 0;    // for Quit: the code given to PostQuit
};

enum class ShowState : uint8_t { Normal, Minimized, Hidden };

struct Point {
    int x = 0;
    int y = 0;
};

// Creates the window hidden, captioned and not resizable, with the given client size.
// className names the window to the window system (its X11 class). Starts the video
// back end first; false when that or the window fails, and when there is no display
// at all: SDL would fall back to a driver that shows nothing, and a window no one can
// see could never be closed. SDL_VIDEODRIVER naming such a driver (dummy) asks for it.
bool CreateMainWindow(const char* className, const std::u16string& title, int clientWidth, int clientHeight);
// Why the last CreateMainWindow failed, in words for the user.
const std::string& MainWindowFailure();
void DestroyMainWindow();
bool HasMainWindow();
// Whether the window system's text input (with its input methods) is on; the window is made
// with it off, as the game reads keys, never text.
bool IsTextInputOn();
// The window system's own handle of the main window, for the presenter; null when none.
void* MainWindowNativeHandle();

void SetWindowTitle(const std::u16string& title);
// The title the window shows; empty without a window.
std::u16string GetWindowTitle();
void SetWindowClientSize(int width, int height);
bool GetWindowClientSize(int& width, int& height);
// The size the window's frame adds to the client size; false when the window system
// does not tell.
bool GetWindowFrameExtra(int& extraWidth, int& extraHeight);
// Moves the window so that its outer frame's top-left corner is at (x, y).
void SetWindowFramePosition(int x, int y);
void ShowMainWindow();
ShowState GetShowState();

// Full screen covers the whole display the window is on, at the display's own size.
bool SetWindowFullScreen(bool fullScreen);
bool IsWindowFullScreen();

// Width and height of the display the window is on (the first display when there is
// no window); false when unknown.
bool GetMonitorSize(int& width, int& height);
// Height of the primary display, wherever the window is; false when unknown.
bool GetPrimaryDisplayHeight(int& height);

// The cursor in client pixels, wherever it is on the screen (negative left of or above
// the client area); false when unknown.
bool GetCursorClientPosition(int& x, int& y);
// Shows or hides the system cursor while it is over the window.
void ShowSystemCursor(bool show);
// Keeps mouse events coming while a button is held outside the window.
void CaptureMouse(bool capture);
// Puts the cursor at a client position.
void WarpCursor(int x, int y);

// True when a message is waiting. A posted quit waits behind every other message.
bool PeekEvent();
// Takes the oldest waiting message; false when none waits.
bool NextEvent(WindowEvent& event);
// True while SIGTERM or SIGINT has asked to close and no NextEvent has taken the request yet.
bool CloseSignalled();
// Sleeps until a message arrives or the time-out passes.
void WaitForEvent(int timeoutMs);
// Queues the quit message; it is delivered once no other message is waiting.
void PostQuit(int exitCode);

// The client area is painted black whenever the window system asks for it, until the
// graphics device presents frames itself and turns this off.
void SetEraseBackground(bool erase);

// Test hooks: headless tests drive the window through these.
// Queues a message as the window system would deliver it (Quit goes through PostQuit).
void PushTestEvent(const WindowEvent& event);
// Replaces the window's real show state while set (the dummy driver cannot minimise).
void SetTestShowState(std::optional<ShowState> state);
// Replaces the real cursor position (client pixels) while set.
void SetTestCursorPosition(std::optional<Point> position);

}  // namespace platform
