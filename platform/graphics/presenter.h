#pragma once

#include <cstdint>

namespace platform::gfx {

class Texture;

// Shows a finished back buffer in the window through one streaming texture.
// Paced by the display's vertical sync where there is one, otherwise by
// sleeping to the next 1/60 s deadline.
class Presenter {
public:
    Presenter() = default;
    ~Presenter();
    Presenter(const Presenter&) = delete;
    Presenter& operator=(const Presenter&) = delete;

    // Presents into the program's main window (platform/window.h).
    bool CreateForMainWindow();
    // nativeWindow: a window's native handle.
    bool Create(void* nativeWindow);
    void Destroy();
    bool IsReady() const { return renderer_ != nullptr; }
    bool HasVsync() const { return vsync_; }

    // Uploads the back buffer (the streaming texture follows its size),
    // shows it stretched over the window, and waits for the frame's turn.
    bool Present(const Texture& backBuffer);

private:
    void Pace();

    void* renderer_ = nullptr;
    void* texture_ = nullptr;
    int textureWidth_ = 0;
    int textureHeight_ = 0;
    bool vsync_ = false;
    std::uint64_t nextDeadlineNs_ = 0;
};

}  // namespace platform::gfx
