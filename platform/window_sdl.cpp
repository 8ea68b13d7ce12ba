#include <SDL.h>

#include "platform/text_utf.h"
#include "platform/window.h"

namespace platform {

namespace {
SDL_Window* AsSdl(void* handle) { return static_cast<SDL_Window*>(handle); }
}  // namespace

bool InitVideo()
{
    return SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) == 0;
}

void ShutdownVideo()
{
    SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
}

Window::~Window() { Destroy(); }

bool Window::Create(const std::u16string& title, int clientWidth, int clientHeight)
{
    Destroy();
    handle_ = SDL_CreateWindow(Utf16ToUtf8(title).c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                               clientWidth, clientHeight, SDL_WINDOW_HIDDEN);
    return handle_ != nullptr;
}

void Window::Destroy()
{
    if (handle_) {
        SDL_DestroyWindow(AsSdl(handle_));
        handle_ = nullptr;
    }
}

void Window::SetTitle(const std::u16string& title)
{
    if (handle_) SDL_SetWindowTitle(AsSdl(handle_), Utf16ToUtf8(title).c_str());
}

void Window::SetClientSize(int width, int height)
{
    if (handle_) SDL_SetWindowSize(AsSdl(handle_), width, height);
}

void Window::GetClientSize(int& width, int& height) const
{
    width = height = 0;
    if (handle_) SDL_GetWindowSize(AsSdl(handle_), &width, &height);
}

void Window::Show()
{
    if (handle_) SDL_ShowWindow(AsSdl(handle_));
}

bool Window::IsMinimized() const
{
    if (!handle_) return false;
    const Uint32 flags = SDL_GetWindowFlags(AsSdl(handle_));
    return (flags & (SDL_WINDOW_MINIMIZED | SDL_WINDOW_HIDDEN)) != 0;
}

bool Window::PeekEvent() const
{
    SDL_PumpEvents();
    return SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_FIRSTEVENT, SDL_LASTEVENT) > 0;
}

bool Window::NextEvent(WindowEvent& event)
{
    SDL_Event sdl;
    while (SDL_PollEvent(&sdl)) {
        event = WindowEvent{};
        switch (sdl.type) {
        case SDL_QUIT:
            event.type = WindowEventType::Close;
            return true;
        case SDL_WINDOWEVENT:
            if (sdl.window.event == SDL_WINDOWEVENT_CLOSE) event.type = WindowEventType::Close;
            else if (sdl.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) event.type = WindowEventType::Activated;
            else if (sdl.window.event == SDL_WINDOWEVENT_FOCUS_LOST) event.type = WindowEventType::Deactivated;
            else continue;
            return true;
        default:
            continue;
        }
    }
    return false;
}

}  // namespace platform
