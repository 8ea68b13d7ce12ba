// The presenter on an SDL renderer.
#include <SDL.h>

#include <cstring>
#include <filesystem>
#include <string_view>
#include <system_error>
#include <vector>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/clock.h"
#include "platform/graphics/pixel_row_avx2.h"
#include "platform/graphics/presenter.h"
#include "platform/graphics/resources.h"
#include "platform/window.h"

namespace platform::gfx {

namespace {
constexpr std::int64_t kFrameNs = 1'000'000'000 / 60;

SDL_Renderer* AsRenderer(void* p) { return static_cast<SDL_Renderer*>(p); }
SDL_Texture* AsTexture(void* p) { return static_cast<SDL_Texture*>(p); }
SDL_Window* AsWindow(void* p) { return static_cast<SDL_Window*>(p); }

// True for SDL's own software renderer, and for an OpenGL renderer whose
// driver draws on the CPU (Mesa's llvmpipe, softpipe or swrast), which would
// take several threads to scale each frame: scaling by hand costs less.
bool DrawsInSoftware(SDL_Renderer* renderer)
{
    SDL_RendererInfo info;
    if (SDL_GetRendererInfo(renderer, &info) != 0 || !info.name) return false;
    if (info.flags & SDL_RENDERER_SOFTWARE) return true;
    if (std::string_view(info.name).substr(0, 6) != "opengl") return false;
    // The renderer's context is current once it is made.
    using GetString = const unsigned char* (*)(unsigned int);
    const auto getString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
    constexpr unsigned int kGlRenderer = 0x1F01;
    const unsigned char* name = getString ? getString(kGlRenderer) : nullptr;
    if (!name) return false;
    const std::string_view text(reinterpret_cast<const char*>(name));
    return text.find("llvmpipe") != text.npos || text.find("softpipe") != text.npos ||
           text.find("Software Rasterizer") != text.npos || text.find("swrast") != text.npos;
}

// True where SDL would make an OpenGL renderer that can only be drawn in
// software: a windowing system's driver on a machine without a GPU device.
// Loading the software OpenGL just to find that out costs tens of megabytes,
// so this is asked first. A renderer named by the user is left to SDL.
bool OpenGlWouldBeSoftware()
{
    const char* asked = SDL_GetHint(SDL_HINT_RENDER_DRIVER);
    if (asked && *asked) return false;
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver) return false;
    const std::string_view name(driver);
    if (name != "x11" && name != "wayland") return false;
    std::error_code error;
    return !std::filesystem::exists("/dev/dri", error);
}

#if defined(VARNOLIS_HAS_AVX2_ROWS)
// Eight pixels a load, each written twice, where the CPU has AVX2.
__attribute__((target("avx2"))) void ScaleRowTwiceAvx2(const std::uint32_t* source, int width, std::uint32_t* out)
{
    const __m256i firstFour = _mm256_setr_epi32(0, 0, 1, 1, 2, 2, 3, 3);
    const __m256i lastFour = _mm256_setr_epi32(4, 4, 5, 5, 6, 6, 7, 7);
    int x = 0;
    for (; x + 8 <= width; x += 8) {
        const __m256i eight = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(source + x));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + 2 * x), _mm256_permutevar8x32_epi32(eight, firstFour));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(out + 2 * x + 8), _mm256_permutevar8x32_epi32(eight, lastFour));
    }
    for (; x < width; ++x) out[2 * x] = out[2 * x + 1] = source[x];
}
#endif

// Each pixel twice, for a window twice the back buffer's width.
void ScaleRowTwice(const std::uint32_t* source, int width, std::uint32_t* out)
{
#if defined(VARNOLIS_HAS_AVX2_ROWS)
    if (CpuHasAvx2()) {
        ScaleRowTwiceAvx2(source, width, out);
        return;
    }
#endif
    int x = 0;
#if defined(__SSE2__)
    for (; x + 4 <= width; x += 4) {
        const __m128i four = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + x));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 2 * x), _mm_unpacklo_epi32(four, four));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 2 * x + 4), _mm_unpackhi_epi32(four, four));
    }
#endif
    for (; x < width; ++x) out[2 * x] = out[2 * x + 1] = source[x];
}

// Each pixel three times, for a window three times the back buffer's width.
void ScaleRowThrice(const std::uint32_t* source, int width, std::uint32_t* out)
{
    int x = 0;
#if defined(__SSE2__)
    for (; x + 4 <= width; x += 4) {
        const __m128i four = _mm_loadu_si128(reinterpret_cast<const __m128i*>(source + x));
        __m128i* to = reinterpret_cast<__m128i*>(out + 3 * x);
        _mm_storeu_si128(to, _mm_shuffle_epi32(four, _MM_SHUFFLE(1, 0, 0, 0)));
        _mm_storeu_si128(to + 1, _mm_shuffle_epi32(four, _MM_SHUFFLE(2, 2, 1, 1)));
        _mm_storeu_si128(to + 2, _mm_shuffle_epi32(four, _MM_SHUFFLE(3, 3, 3, 2)));
    }
#endif
    for (; x < width; ++x) out[3 * x] = out[3 * x + 1] = out[3 * x + 2] = source[x];
}
}  // namespace

Presenter::~Presenter() { Destroy(); }

bool Presenter::CreateForMainWindow() { return Create(platform::MainWindowNativeHandle()); }

bool Presenter::Create(void* nativeWindow)
{
    Destroy();
    auto* window = static_cast<SDL_Window*>(nativeWindow);
    if (!window) return false;
    SDL_Renderer* renderer = nullptr;
    bool scaleItself = OpenGlWouldBeSoftware();
    if (!scaleItself) {
        renderer = SDL_CreateRenderer(window, -1, SDL_RENDERER_PRESENTVSYNC);
        if (renderer && DrawsInSoftware(renderer)) {
            SDL_DestroyRenderer(renderer);
            renderer = nullptr;
            scaleItself = true;
        }
    }
    if (scaleItself) {
        // The window's surface straight on the display's own image, not one
        // that SDL would draw through a renderer again.
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
        if (SDL_GetWindowSurface(window)) {
            window_ = window;
            platform::SetEraseBackground(false);
            vsync_ = false;
            nextDeadlineNs_ = 0;
            return true;
        }
    }
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
    window_ = nullptr;
    textureWidth_ = textureHeight_ = 0;
    windowFormat_ = 0;
    testRefreshHz_.reset();
    sourceColumns_.clear();
    scaledFrom_ = 0;
    scaled_.clear();
    scaled_.shrink_to_fit();
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
    if (backBuffer.Width() <= 0 || backBuffer.Height() <= 0) return false;
    const bool shown = window_ ? PresentIntoSurface(backBuffer) : PresentByRenderer(backBuffer);
    if (shown && paced_ && !SyncPacesSixty()) Pace();
    return shown;
}

bool Presenter::SyncPacesSixty() const
{
    if (!vsync_) return false;
    int refreshHz = 0;
    if (testRefreshHz_) {
        refreshHz = *testRefreshHz_;
    } else if (SDL_Window* window = renderer_ ? SDL_RenderGetWindow(AsRenderer(renderer_)) : nullptr) {
        // Asked each frame: the window may have moved to another display.
        SDL_DisplayMode mode;
        const int display = SDL_GetWindowDisplayIndex(window);
        if (display >= 0 && SDL_GetCurrentDisplayMode(display, &mode) == 0) refreshHz = mode.refresh_rate;
    }
    // A display that does not tell its rate is taken at its word: the usual 60.
    // 59 Hz is a 59.94 Hz display.
    return refreshHz == 0 || (refreshHz >= 59 && refreshHz <= 61);
}

// Nearest-neighbour scaling of the back buffer to the window's size, each
// window row from its back buffer row, a row repeated by copying it.
bool Presenter::PresentIntoSurface(const Texture& backBuffer)
{
    // Asked each frame: a resized window gets a new surface.
    SDL_Surface* surface = SDL_GetWindowSurface(AsWindow(window_));
    if (!surface || surface->w <= 0 || surface->h <= 0) return false;
    const int width = backBuffer.Width();
    const int height = backBuffer.Height();
    const int windowWidth = surface->w;
    const int windowHeight = surface->h;
    if (static_cast<int>(sourceColumns_.size()) != windowWidth || scaledFrom_ != width) {
        sourceColumns_.resize(static_cast<std::size_t>(windowWidth));
        for (int x = 0; x < windowWidth; ++x) {
            sourceColumns_[static_cast<std::size_t>(x)] =
                static_cast<int>(static_cast<long long>(x) * width / windowWidth);
        }
        scaledFrom_ = width;
    }
    const std::uint32_t format = surface->format->format;
    // Device pixels are ARGB8888 words; RGB888 lays them out alike.
    const bool direct = format == SDL_PIXELFORMAT_ARGB8888 || format == SDL_PIXELFORMAT_RGB888;
    if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return false;
    std::uint8_t* out = static_cast<std::uint8_t*>(surface->pixels);
    std::size_t pitch = static_cast<std::size_t>(surface->pitch);
    if (!direct) {
        scaled_.resize(static_cast<std::size_t>(windowWidth) * windowHeight);
        out = reinterpret_cast<std::uint8_t*>(scaled_.data());
        pitch = static_cast<std::size_t>(windowWidth) * 4;
    }
    const int* columns = sourceColumns_.data();
    int lastRow = -1;
    for (int y = 0; y < windowHeight; ++y) {
        const int sourceRow = static_cast<int>(static_cast<long long>(y) * height / windowHeight);
        auto* row = reinterpret_cast<std::uint32_t*>(out + pitch * static_cast<std::size_t>(y));
        if (sourceRow == lastRow) {
            std::memcpy(row, out + pitch * static_cast<std::size_t>(y - 1), static_cast<std::size_t>(windowWidth) * 4);
            continue;
        }
        const std::uint32_t* source = backBuffer.Pixels() + static_cast<std::size_t>(sourceRow) * width;
        if (windowWidth == width) {
            std::memcpy(row, source, static_cast<std::size_t>(width) * 4);
        } else if (windowWidth == 2 * width) {
            ScaleRowTwice(source, width, row);
        } else if (windowWidth == 3 * width) {
            ScaleRowThrice(source, width, row);
        } else {
            for (int x = 0; x < windowWidth; ++x) row[x] = source[columns[x]];
        }
        lastRow = sourceRow;
    }
    bool ok = true;
    if (!direct) {
        ok = SDL_ConvertPixels(windowWidth, windowHeight, SDL_PIXELFORMAT_ARGB8888, scaled_.data(), windowWidth * 4,
                               format, surface->pixels, surface->pitch) == 0;
    }
    if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
    return ok && SDL_UpdateWindowSurface(AsWindow(window_)) == 0;
}

bool Presenter::PresentByRenderer(const Texture& backBuffer)
{
    if (!renderer_) return false;
    const int width = backBuffer.Width();
    const int height = backBuffer.Height();
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
    return true;
}

bool Presenter::ReadShownPixels(std::vector<std::uint32_t>& pixels, int& width, int& height) const
{
    if (window_) {
        SDL_Surface* surface = SDL_GetWindowSurface(AsWindow(window_));
        if (!surface || surface->w <= 0 || surface->h <= 0) return false;
        width = surface->w;
        height = surface->h;
        pixels.assign(static_cast<std::size_t>(width) * height, 0u);
        if (SDL_MUSTLOCK(surface) && SDL_LockSurface(surface) != 0) return false;
        const bool ok = SDL_ConvertPixels(width, height, surface->format->format, surface->pixels, surface->pitch,
                                          SDL_PIXELFORMAT_ARGB8888, pixels.data(), width * 4) == 0;
        if (SDL_MUSTLOCK(surface)) SDL_UnlockSurface(surface);
        return ok;
    }
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
