#pragma once

#include <cstdint>
#include <string>

// The one top-level window of the program, and its event queue. Everything that
// touches the window system lives behind this interface.
namespace platform {

enum class WindowEventType : uint8_t {
    None,
    Close,
    Activated,
    Deactivated,
    MouseMove,
    ButtonDown,
    ButtonUp,
    Wheel,
    DeviceChange,
};

enum class MouseButton : uint8_t { Left, Middle, Right };

struct WindowEvent {
    WindowEventType type = WindowEventType::None;
    int32_t x = 0;          // client pixels, for mouse events
    int32_t y = 0;
    MouseButton button = MouseButton::Left;
    int32_t wheelDelta = 0; // 120 per notch, positive away from the user
};

// Starts the video back end; false when no display (and no dummy driver) exists.
bool InitVideo();
void ShutdownVideo();

class Window {
public:
    Window() = default;
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // Creates a captioned, non-resizable window with the given client size.
    bool Create(const std::u16string& title, int clientWidth, int clientHeight);
    void Destroy();
    bool IsOpen() const { return handle_ != nullptr; }

    void SetTitle(const std::u16string& title);
    void SetClientSize(int width, int height);
    void GetClientSize(int& width, int& height) const;
    void Show();
    bool IsMinimized() const;

    // Takes the oldest waiting event; false when the queue is empty.
    bool PeekEvent() const;
    bool NextEvent(WindowEvent& event);

    void* NativeHandle() const { return handle_; }

private:
    void* handle_ = nullptr;
};

}  // namespace platform
