// The main window on SDL: creation, size, full screen, cursor, the event queue and close signals.
#include <SDL.h>

#include <cmath>
#include <csignal>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/text_utf.h"
#include "platform/window.h"

namespace platform {

namespace {

SDL_Window* g_window = nullptr;
bool g_quitPosted = false;
int g_quitCode = 0;
bool g_eraseBackground = true;
std::optional<ShowState> g_testShowState;
std::optional<Point> g_testCursor;
std::string g_failure;

// SIGTERM and SIGINT become a close request, so that a terminated game takes the same
// way out as a closed window.
volatile std::sig_atomic_t g_closeSignalled = 0;
struct sigaction g_previousTerm {};
struct sigaction g_previousInt {};

extern "C" void OnCloseSignal(int)
{
    g_closeSignalled = 1;
}

void InstallCloseSignals()
{
    struct sigaction action {};
    action.sa_handler = OnCloseSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, &g_previousTerm);
    sigaction(SIGINT, &action, &g_previousInt);
}

void RestoreCloseSignals()
{
    sigaction(SIGTERM, &g_previousTerm, nullptr);
    sigaction(SIGINT, &g_previousInt, nullptr);
}

// The drivers SDL falls back to when no display answers; they show nothing.
bool OnUnaskedInvisibleDriver()
{
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver) return false;
    const std::string_view name = driver;
    if (name != "offscreen" && name != "dummy" && name != "evdev") return false;
    const char* asked = SDL_GetHint(SDL_HINT_VIDEODRIVER);  // SDL_VIDEODRIVER too
    return !asked || *asked == '\0';
}

bool VideoReady()
{
    return SDL_WasInit(SDL_INIT_VIDEO) != 0;
}

void PaintBlack()
{
    if (!g_window || !g_eraseBackground) return;
    SDL_Surface* surface = SDL_GetWindowSurface(g_window);
    if (!surface) return;
    SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
    SDL_UpdateWindowSurface(g_window);
}

MouseButton ToMouseButton(Uint8 button)
{
    if (button == SDL_BUTTON_MIDDLE) return MouseButton::Middle;
    if (button == SDL_BUTTON_RIGHT) return MouseButton::Right;
    return MouseButton::Left;
}

Uint8 ToSdlButton(MouseButton button)
{
    if (button == MouseButton::Middle) return SDL_BUTTON_MIDDLE;
    if (button == MouseButton::Right) return SDL_BUTTON_RIGHT;
    return SDL_BUTTON_LEFT;
}

// One SDL event becomes one message; what the program does not handle stays a None
// message so that the pump still counts it.
WindowEvent Translate(const SDL_Event& sdl)
{
    WindowEvent event;
    switch (sdl.type) {
    case SDL_QUIT:
        event.type = WindowEventType::Close;
        break;
    case SDL_WINDOWEVENT:
        switch (sdl.window.event) {
        case SDL_WINDOWEVENT_CLOSE: event.type = WindowEventType::Close; break;
        case SDL_WINDOWEVENT_FOCUS_GAINED: event.type = WindowEventType::Activated; break;
        case SDL_WINDOWEVENT_FOCUS_LOST: event.type = WindowEventType::Deactivated; break;
        // Every change of the size: the program's own, full screen's and the window manager's.
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            event.type = WindowEventType::Resized;
            event.x = sdl.window.data1;
            event.y = sdl.window.data2;
            break;
        case SDL_WINDOWEVENT_EXPOSED: PaintBlack(); break;
        default: break;
        }
        break;
    case SDL_MOUSEMOTION:
        event.type = WindowEventType::MouseMove;
        event.x = sdl.motion.x;
        event.y = sdl.motion.y;
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        if (sdl.button.button == SDL_BUTTON_LEFT || sdl.button.button == SDL_BUTTON_MIDDLE ||
            sdl.button.button == SDL_BUTTON_RIGHT) {
            event.type = sdl.type == SDL_MOUSEBUTTONDOWN ? WindowEventType::ButtonDown : WindowEventType::ButtonUp;
            event.button = ToMouseButton(sdl.button.button);
            event.x = sdl.button.x;
            event.y = sdl.button.y;
        }
        break;
    case SDL_MOUSEWHEEL: {
        // Fractions of a notch (smooth wheels, touch pads) keep their share of 120.
        float notches = sdl.wheel.preciseY;
        if (sdl.wheel.direction == SDL_MOUSEWHEEL_FLIPPED) notches = -notches;
        const long delta = std::lround(notches * 120.0f);
        if (delta != 0) {  // a purely sideways scroll is not a wheel turn
            event.type = WindowEventType::Wheel;
            event.wheelDelta = static_cast<int32_t>(delta);
        }
        break;
    }
    case SDL_JOYDEVICEADDED:
    case SDL_JOYDEVICEREMOVED:
    case SDL_CONTROLLERDEVICEADDED:
    case SDL_CONTROLLERDEVICEREMOVED:
        event.type = WindowEventType::DeviceChange;
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        if (sdl.key.repeat == 0) {
            event.type = sdl.type == SDL_KEYDOWN ? WindowEventType::KeyDown : WindowEventType::KeyUp;
            event.keyCode = static_cast<uint16_t>(sdl.key.keysym.scancode);
        }
        break;
    default:
        break;
    }
    return event;
}

}  // namespace

bool CreateMainWindow(const char* className, const std::u16string& title, int clientWidth, int clientHeight)
{
    DestroyMainWindow();
    // The program maps the close signals itself; one close is one message.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    // The window class is read from the environment when the video back end starts.
    setenv("SDL_VIDEO_X11_WMCLASS", className, 1);
    setenv("SDL_VIDEO_WAYLAND_WMCLASS", className, 1);
    g_failure.clear();
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        g_failure = SDL_GetError();
        return false;
    }
    if (OnUnaskedInvisibleDriver()) {
        g_failure = "there is no display (neither DISPLAY nor WAYLAND_DISPLAY is set); "
                    "SDL_VIDEODRIVER=dummy runs without one";
        SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
        return false;
    }

    g_window = SDL_CreateWindow(Utf16ToUtf8(title).c_str(), 0, 0, clientWidth, clientHeight, SDL_WINDOW_HIDDEN);
    if (!g_window) {
        g_failure = SDL_GetError();
        SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
        return false;
    }
    // SDL starts text input with the video back end on desktops; the game reads keys only, and an
    // input method composing text could keep key presses from it.
    SDL_StopTextInput();
    g_quitPosted = false;
    g_quitCode = 0;
    g_closeSignalled = 0;
    InstallCloseSignals();
    return true;
}

bool IsTextInputOn()
{
    return VideoReady() && SDL_IsTextInputActive() == SDL_TRUE;
}

const std::string& MainWindowFailure()
{
    return g_failure;
}

void DestroyMainWindow()
{
    if (!g_window) return;
    RestoreCloseSignals();
    SDL_DestroyWindow(g_window);
    g_window = nullptr;
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
}

bool HasMainWindow()
{
    return g_window != nullptr;
}

void* MainWindowNativeHandle()
{
    return g_window;
}

bool SetWindowFullScreen(bool fullScreen)
{
    if (!g_window) return false;
    return SDL_SetWindowFullscreen(g_window, fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0) == 0;
}

bool IsWindowFullScreen()
{
    return g_window && (SDL_GetWindowFlags(g_window) & SDL_WINDOW_FULLSCREEN_DESKTOP) != 0;
}

void SetWindowTitle(const std::u16string& title)
{
    if (g_window) SDL_SetWindowTitle(g_window, Utf16ToUtf8(title).c_str());
}

std::u16string GetWindowTitle()
{
    return g_window ? Utf8ToUtf16(SDL_GetWindowTitle(g_window)) : std::u16string();
}

void SetWindowClientSize(int width, int height)
{
    if (g_window) SDL_SetWindowSize(g_window, width, height);
}

bool GetWindowClientSize(int& width, int& height)
{
    width = height = 0;
    if (!g_window) return false;
    SDL_GetWindowSize(g_window, &width, &height);
    return true;
}

bool GetWindowFrameExtra(int& extraWidth, int& extraHeight)
{
    int top = 0, left = 0, bottom = 0, right = 0;
    if (!g_window || SDL_GetWindowBordersSize(g_window, &top, &left, &bottom, &right) != 0) return false;
    extraWidth = left + right;
    extraHeight = top + bottom;
    return true;
}

void SetWindowFramePosition(int x, int y)
{
    if (!g_window) return;
    // SDL places the client area; step in by the frame's left and top edges.
    int top = 0, left = 0, bottom = 0, right = 0;
    if (SDL_GetWindowBordersSize(g_window, &top, &left, &bottom, &right) != 0) top = left = 0;
    SDL_SetWindowPosition(g_window, x + left, y + top);
}

void ShowMainWindow()
{
    if (g_window) SDL_ShowWindow(g_window);
}

ShowState GetShowState()
{
    if (g_testShowState) return *g_testShowState;
    if (!g_window) return ShowState::Hidden;
    const Uint32 flags = SDL_GetWindowFlags(g_window);
    if (flags & SDL_WINDOW_MINIMIZED) return ShowState::Minimized;
    if ((flags & SDL_WINDOW_HIDDEN) || !(flags & SDL_WINDOW_SHOWN)) return ShowState::Hidden;
    return ShowState::Normal;
}

bool GetMonitorSize(int& width, int& height)
{
    width = height = 0;
    if (!VideoReady()) return false;
    int display = g_window ? SDL_GetWindowDisplayIndex(g_window) : 0;
    if (display < 0) display = 0;
    SDL_Rect bounds;
    if (SDL_GetDisplayBounds(display, &bounds) != 0) return false;
    width = bounds.w;
    height = bounds.h;
    return true;
}

bool GetPrimaryDisplayHeight(int& height)
{
    height = 0;
    if (!VideoReady()) return false;
    SDL_Rect bounds;
    if (SDL_GetDisplayBounds(0, &bounds) != 0) return false;
    height = bounds.h;
    return true;
}

bool GetCursorClientPosition(int& x, int& y)
{
    if (g_testCursor) {
        x = g_testCursor->x;
        y = g_testCursor->y;
        return true;
    }
    if (!g_window) return false;
    int screenX = 0, screenY = 0, windowX = 0, windowY = 0;
    SDL_GetGlobalMouseState(&screenX, &screenY);
    SDL_GetWindowPosition(g_window, &windowX, &windowY);
    x = screenX - windowX;
    y = screenY - windowY;
    return true;
}

void ShowSystemCursor(bool show)
{
    if (VideoReady()) SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}

void CaptureMouse(bool capture)
{
    // Not every video driver can capture; the messages then simply stop at the edge.
    if (VideoReady()) SDL_CaptureMouse(capture ? SDL_TRUE : SDL_FALSE);
}

void WarpCursor(int x, int y)
{
    if (g_testCursor) g_testCursor = Point{x, y};
    if (g_window) SDL_WarpMouseInWindow(g_window, x, y);
}

bool PeekEvent()
{
    if (g_closeSignalled) return true;
    if (!VideoReady()) return g_quitPosted;
    SDL_PumpEvents();
    return SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0 || g_quitPosted;
}

bool NextEvent(WindowEvent& event)
{
    event = WindowEvent{};
    if (g_closeSignalled) {
        g_closeSignalled = 0;
        event.type = WindowEventType::Close;
        return true;
    }
    if (VideoReady()) {
        SDL_Event sdl;
        if (SDL_PeepEvents(&sdl, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) <= 0) {
            SDL_PumpEvents();
            if (SDL_PeepEvents(&sdl, 1, SDL_GETEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) <= 0) sdl.type = 0;
        }
        if (sdl.type != 0) {
            event = Translate(sdl);
            return true;
        }
    }
    if (g_quitPosted) {
        g_quitPosted = false;
        event.type = WindowEventType::Quit;
        event.exitCode = g_quitCode;
        return true;
    }
    return false;
}

bool CloseSignalled()
{
    return g_closeSignalled != 0;
}

void WaitForEvent(int timeoutMs)
{
    if (g_closeSignalled || g_quitPosted) return;
    if (VideoReady()) SDL_WaitEventTimeout(nullptr, timeoutMs);
    else SDL_Delay(static_cast<Uint32>(timeoutMs));
}

void PostQuit(int exitCode)
{
    g_quitPosted = true;
    g_quitCode = exitCode;
}

void SetEraseBackground(bool erase)
{
    g_eraseBackground = erase;
}

void PushTestEvent(const WindowEvent& event)
{
    if (event.type == WindowEventType::Quit) {
        PostQuit(event.exitCode);
        return;
    }
    SDL_Event sdl{};
    const Uint32 windowId = g_window ? SDL_GetWindowID(g_window) : 0;
    switch (event.type) {
    case WindowEventType::None:
    case WindowEventType::Close:
    case WindowEventType::Activated:
    case WindowEventType::Deactivated:
    case WindowEventType::Resized:
        sdl.type = SDL_WINDOWEVENT;
        sdl.window.windowID = windowId;
        sdl.window.event = event.type == WindowEventType::Close         ? SDL_WINDOWEVENT_CLOSE
                           : event.type == WindowEventType::Activated   ? SDL_WINDOWEVENT_FOCUS_GAINED
                           : event.type == WindowEventType::Deactivated ? SDL_WINDOWEVENT_FOCUS_LOST
                           : event.type == WindowEventType::Resized     ? SDL_WINDOWEVENT_SIZE_CHANGED
                                                                        : SDL_WINDOWEVENT_MOVED;
        sdl.window.data1 = event.x;
        sdl.window.data2 = event.y;
        break;
    case WindowEventType::MouseMove:
        sdl.type = SDL_MOUSEMOTION;
        sdl.motion.windowID = windowId;
        sdl.motion.x = event.x;
        sdl.motion.y = event.y;
        break;
    case WindowEventType::ButtonDown:
    case WindowEventType::ButtonUp:
        sdl.type = event.type == WindowEventType::ButtonDown ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
        sdl.button.windowID = windowId;
        sdl.button.button = ToSdlButton(event.button);
        sdl.button.state = event.type == WindowEventType::ButtonDown ? SDL_PRESSED : SDL_RELEASED;
        sdl.button.clicks = 1;
        sdl.button.x = event.x;
        sdl.button.y = event.y;
        break;
    case WindowEventType::Wheel:
        sdl.type = SDL_MOUSEWHEEL;
        sdl.wheel.windowID = windowId;
        sdl.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
        sdl.wheel.y = event.wheelDelta / 120;
        sdl.wheel.preciseY = static_cast<float>(event.wheelDelta) / 120.0f;
        break;
    case WindowEventType::DeviceChange:
        sdl.type = SDL_CONTROLLERDEVICEADDED;
        break;
    case WindowEventType::KeyDown:
    case WindowEventType::KeyUp:
        sdl.type = event.type == WindowEventType::KeyDown ? SDL_KEYDOWN : SDL_KEYUP;
        sdl.key.windowID = windowId;
        sdl.key.state = event.type == WindowEventType::KeyDown ? SDL_PRESSED : SDL_RELEASED;
        sdl.key.keysym.scancode = static_cast<SDL_Scancode>(event.keyCode);
        break;
    case WindowEventType::Quit:
        break;
    }
    SDL_PushEvent(&sdl);
}

void SetTestShowState(std::optional<ShowState> state)
{
    g_testShowState = state;
}

void SetTestCursorPosition(std::optional<Point> position)
{
    g_testCursor = position;
}

}  // namespace platform
