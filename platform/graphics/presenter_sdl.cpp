// The presenter on an SDL renderer.
#include <SDL.h>

#include <cstring>
#include <string_view>

#include "platform/clock.h"
#include "platform/graphics/presenter.h"
#include "platform/graphics/resources.h"
#include "platform/window.h"

namespace platform::gfx {

namespace {
constexpr std::int64_t kFrameNs = 1'000'000'000 / 60;

SDL_Renderer* AsRenderer(void* p) { return static_cast<SDL_Renderer*>(p); }
SDL_Texture* AsTexture(void* p) { return static_cast<SDL_Texture*>(p); }
}  // namespace

Presenter::~Presenter() { Destroy(); }

bool Presenter::CreateForMainWindow() { return Create(platform::MainWindowNativeHandle()); }

bool Presenter::Create(void* nativeWindow)
{
    Destroy();
    auto* window = static_cast<SDL_Window*>(nativeWindow);
    if (!window) return false;
    SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_PRESENTVSYNC);
    if (!renderer) renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
    if (!renderer) return false;
    renderer_ = renderer;
    windowFormat_ = SDL_GetWindowPixelFormat(window);
    // Formats SDL cannot describe get the back buffer's own; the renderer then converts.
    if (windowFormat_ == SDL_PIXELFORMAT_UNKNOWN || SDL_ISPIXELFORMAT_INDEXED(windowFormat_) ||
        SDL_BYTESPERPIXEL(windowFormat_) < 2) {
        windowFormat_ = SDL_PIXELFORMAT_ARGB8888;
    }
    // From now on every frame paints the whole client area.
    platform::SetEraseBackground(false);
    SDL_RendererInfo info;
    const char* driver = SDL_GetCurrentVideoDriver();
    // The dummy driver claims nothing it can keep; pace by the clock there.
    const bool dummy = driver && std::string_view(driver) == "dummy";
    vsync_ = !dummy && SDL_GetRendererInfo(renderer, &info) == 0 && (info.flags & SDL_RENDERER_PRESENTVSYNC) != 0;
    nextDeadlineNs_ = 0;
    ApplyVsync();
    return true;
}

void Presenter::Destroy()
{
    if (texture_) SDL_DestroyTexture(AsTexture(texture_));
    if (renderer_) SDL_DestroyRenderer(AsRenderer(renderer_));
    texture_ = nullptr;
    renderer_ = nullptr;
    textureWidth_ = textureHeight_ = 0;
    windowFormat_ = 0;
}

void Presenter::SetPaced(bool paced)
{
    paced_ = paced;
    nextDeadlineNs_ = 0;
    ApplyVsync();
}

void Presenter::ApplyVsync()
{
    if (renderer_ && vsync_) SDL_RenderSetVSync(AsRenderer(renderer_), paced_ ? 1 : 0);
}

bool Presenter::Present(const Texture& backBuffer)
{
    if (!renderer_) return false;
    const int width = backBuffer.Width();
    const int height = backBuffer.Height();
    if (width <= 0 || height <= 0) return false;
    if (!texture_ || width != textureWidth_ || height != textureHeight_) {
        if (texture_) SDL_DestroyTexture(AsTexture(texture_));
        texture_ = SDL_CreateTexture(AsRenderer(renderer_), windowFormat_, SDL_TEXTUREACCESS_STREAMING, width, height);
        if (!texture_) return false;
        // A window shows the colour of its back buffer whatever its alpha, and
        // the scaling keeps pixels square-edged as the game draws them.
        SDL_SetTextureBlendMode(AsTexture(texture_), SDL_BLENDMODE_NONE);
        SDL_SetTextureScaleMode(AsTexture(texture_), SDL_ScaleModeNearest);
        textureWidth_ = width;
        textureHeight_ = height;
    }
    void* pixels = nullptr;
    int pitch = 0;
    if (SDL_LockTexture(AsTexture(texture_), nullptr, &pixels, &pitch) != 0) return false;
    // Device pixels are 0xAARRGGBB words, which is ARGB8888 as SDL means it; RGB888
    // lays them out alike and ignores the alpha byte. Others convert here, once.
    const std::uint32_t* source = backBuffer.Pixels();
    if (windowFormat_ == SDL_PIXELFORMAT_ARGB8888 || windowFormat_ == SDL_PIXELFORMAT_RGB888) {
        for (int y = 0; y < height; ++y) {
            std::memcpy(static_cast<std::uint8_t*>(pixels) + static_cast<std::size_t>(pitch) * y,
                        source + static_cast<std::size_t>(width) * y, static_cast<std::size_t>(width) * 4);
        }
    } else if (SDL_ConvertPixels(width, height, SDL_PIXELFORMAT_ARGB8888, source, width * 4, windowFormat_, pixels,
                                 pitch) != 0) {
        SDL_UnlockTexture(AsTexture(texture_));
        return false;
    }
    SDL_UnlockTexture(AsTexture(texture_));
    // The copy covers the whole window and blends nothing: no clear is needed.
    SDL_RenderCopy(AsRenderer(renderer_), AsTexture(texture_), nullptr, nullptr);
    SDL_RenderPresent(AsRenderer(renderer_));
    if (paced_ && !vsync_) Pace();
    return true;
}

bool Presenter::ReadShownPixels(std::vector<std::uint32_t>& pixels, int& width, int& height) const
{
    if (!renderer_ || SDL_GetRendererOutputSize(AsRenderer(renderer_), &width, &height) != 0) return false;
    if (width <= 0 || height <= 0) return false;
    pixels.assign(static_cast<std::size_t>(width) * height, 0u);
    return SDL_RenderReadPixels(AsRenderer(renderer_), nullptr, SDL_PIXELFORMAT_ARGB8888, pixels.data(), width * 4) == 0;
}

void Presenter::Pace()
{
    const std::int64_t now = platform::MonotonicNanoseconds();
    if (nextDeadlineNs_ == 0 || now > nextDeadlineNs_ + kFrameNs) {
        // First frame, or far behind: start counting from now.
        nextDeadlineNs_ = now + kFrameNs;
        return;
    }
    platform::SleepUntilNanoseconds(nextDeadlineNs_);
    nextDeadlineNs_ += kFrameNs;
}

}  // namespace platform::gfx
