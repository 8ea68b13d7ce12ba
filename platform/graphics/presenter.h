// Shows finished frames in the main window and paces them.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace platform::gfx {

class Texture;

// Shows a finished back buffer in the window through one streaming texture in
// the window's own pixel format, scaled to the window by the renderer (on the
// GPU where there is one). Where the renderer would draw in software (SDL's
// own, or an OpenGL without a GPU, which costs several threads a frame for a
// plain scaling), the presenter scales the back buffer into the window's
// surface itself.
// Paced by the display's vertical sync where the display shows 60 frames a
// second, otherwise (no sync, or a display of 75, 120 or 144 Hz, whose sync
// would run the game that much faster) by sleeping to the next 1/60 s
// deadline as well.
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
    bool IsReady() const { return renderer_ != nullptr || window_ != nullptr; }
    bool ScalesItself() const { return window_ != nullptr; }
    bool HasVsync() const { return vsync_; }
    // Test hook: acts as if the renderer synced to a display of this many
    // frames a second (0: a rate the display does not tell).
    void ClaimVsyncForTesting(int refreshHz)
    {
        vsync_ = true;
        testRefreshHz_ = refreshHz;
    }

    // Unpaced, each Present returns as soon as the frame is shown, so that
    // tests and benchmarks can step many frames. Paced is the default.
    void SetPaced(bool paced);
    bool IsPaced() const { return paced_; }

    // Uploads the back buffer (the streaming texture follows its size),
    // shows it stretched over the window, and waits for the frame's turn.
    bool Present(const Texture& backBuffer);

    // What the window shows, 0xAARRGGBB words row by row, for tests; false
    // when the renderer cannot read it back.
    bool ReadShownPixels(std::vector<std::uint32_t>& pixels, int& width, int& height) const;

private:
    void Pace();
    // True when the vertical sync alone keeps the frames at 60 a second.
    bool SyncPacesSixty() const;
    void ApplyVsync();
    bool PresentByRenderer(const Texture& backBuffer);
    bool PresentIntoSurface(const Texture& backBuffer);

    void* renderer_ = nullptr;
    void* texture_ = nullptr;
    // The window, while the presenter scales into its surface itself.
    void* window_ = nullptr;
    // Scaling into the surface: the back buffer column of each window column,
    // for the sizes it was made for, and a window-sized frame for surfaces in
    // another pixel format.
    std::vector<int> sourceColumns_;
    int scaledFrom_ = 0;
    std::vector<std::uint32_t> scaled_;
    // The window's own pixel format (an SDL format value): the texture is
    // made in it, so that scaling to the window never converts per pixel.
    std::uint32_t windowFormat_ = 0;
    int textureWidth_ = 0;
    int textureHeight_ = 0;
    bool vsync_ = false;
    std::optional<int> testRefreshHz_;
    bool paced_ = true;
    std::int64_t nextDeadlineNs_ = 0;
};

}  // namespace platform::gfx
