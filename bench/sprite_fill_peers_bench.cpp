// Alpha sprite fill of the device against two other software renderers in the same run: pixman
// (where its headers are installed) and SDL's software renderer. 32 x 32 sprites give the cost
// per pixel, 4 x 4 sprites the set-up per sprite, turned 32 x 32 sprites the rotated fill.
// BM_SpriteFillRatios draws the same frame with each renderer in turn and prints the device's
// time over each peer's: under load, the fastest of many alternating rounds is the fair figure.
#include <benchmark/benchmark.h>

#include <SDL.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <memory>
#include <random>
#include <time.h>
#include <vector>

#if defined(VARNOLIS_BENCH_PIXMAN)
#include <pixman.h>
#endif

#include "bench/sprite_rig.h"

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 720;
constexpr int kSprites = 1000;

// Where the sprites of one run go: inside the target, so no renderer clips, and the turn of each.
struct Placement {
    std::vector<std::array<float, 4>> rects;
    std::vector<float> angles;
};

Placement Place(int size, bool turned)
{
    Placement placement;
    std::mt19937 random(11);
    for (int i = 0; i < kSprites; ++i) {
        const float x = static_cast<float>(size + random() % (kWidth - 3 * size));
        const float y = static_cast<float>(size + random() % (kHeight - 3 * size));
        placement.rects.push_back({x, y, x + size, y + size});
        if (turned) placement.angles.push_back(static_cast<float>(random() % 3600) / 10.0f);
    }
    return placement;
}

// What one drawing of all sprites is divided by: pixels for the big sprites, sprites for the small ones.
double Units(int size) { return size >= 32 ? static_cast<double>(kSprites) * size * size : kSprites; }

void Report(benchmark::State& state, int size)
{
    state.counters[size >= 32 ? "time_per_pixel" : "time_per_sprite"] =
        benchmark::Counter(Units(size), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// The sprite's texels as straight-alpha 0xAARRGGBB words, the same for every renderer.
std::vector<std::uint32_t> Texels(const bench::SpriteRig& rig, int size)
{
    return {rig.texture->Pixels(), rig.texture->Pixels() + static_cast<std::size_t>(size) * size};
}

// Each renderer below draws every sprite of a placement once per Draw().
class DeviceFill {
public:
    DeviceFill(int size, bool turned) : rig_(kWidth, kHeight, size, size, true)
    {
        const Placement placement = Place(size, turned);
        rig_.SetQuads(placement.rects, kWidth, kHeight, placement.angles);
    }
    bool Ok() const { return true; }
    void Draw()
    {
        rig_.device.DrawIndexed(rig_.indexCount, 0, 0);
        benchmark::DoNotOptimize(rig_.target->Pixels());
    }

private:
    bench::SpriteRig rig_;
};

class SdlSoftwareFill {
public:
    SdlSoftwareFill(int size, bool turned) : size_(size), placement_(Place(size, turned))
    {
        const bench::SpriteRig rig(16, 16, size, size, true);
        texels_ = Texels(rig, size);
        target_ = SDL_CreateRGBSurfaceWithFormat(0, kWidth, kHeight, 32, SDL_PIXELFORMAT_ARGB8888);
        sprite_ = SDL_CreateRGBSurfaceWithFormatFrom(texels_.data(), size, size, 32, size * 4, SDL_PIXELFORMAT_ARGB8888);
        renderer_ = target_ ? SDL_CreateSoftwareRenderer(target_) : nullptr;
        texture_ = renderer_ && sprite_ ? SDL_CreateTextureFromSurface(renderer_, sprite_) : nullptr;
        if (texture_) {
            SDL_SetTextureBlendMode(texture_, SDL_BLENDMODE_BLEND);
            SDL_SetTextureScaleMode(texture_, SDL_ScaleModeNearest);
        }
    }
    ~SdlSoftwareFill()
    {
        if (texture_) SDL_DestroyTexture(texture_);
        if (renderer_) SDL_DestroyRenderer(renderer_);
        SDL_FreeSurface(sprite_);
        SDL_FreeSurface(target_);
    }
    SdlSoftwareFill(const SdlSoftwareFill&) = delete;
    SdlSoftwareFill& operator=(const SdlSoftwareFill&) = delete;
    bool Ok() const { return texture_ != nullptr; }
    void Draw()
    {
        const bool turned = !placement_.angles.empty();
        for (int i = 0; i < kSprites; ++i) {
            const auto& r = placement_.rects[static_cast<std::size_t>(i)];
            const SDL_Rect to{static_cast<int>(r[0]), static_cast<int>(r[1]), size_, size_};
            if (turned) {
                SDL_RenderCopyEx(renderer_, texture_, nullptr, &to, placement_.angles[static_cast<std::size_t>(i)],
                                 nullptr, SDL_FLIP_NONE);
            } else {
                SDL_RenderCopy(renderer_, texture_, nullptr, &to);
            }
        }
        SDL_RenderFlush(renderer_);
        benchmark::DoNotOptimize(target_->pixels);
    }

private:
    int size_;
    Placement placement_;
    std::vector<std::uint32_t> texels_;
    SDL_Surface* target_ = nullptr;
    SDL_Surface* sprite_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
};

#if defined(VARNOLIS_BENCH_PIXMAN)
class PixmanFill {
public:
    PixmanFill(int size, bool turned) : size_(size), placement_(Place(size, turned))
    {
        const bench::SpriteRig rig(16, 16, size, size, true);
        // pixman composites premultiplied colour.
        texels_ = Texels(rig, size);
        for (std::uint32_t& texel : texels_) {
            const std::uint32_t a = texel >> 24;
            const auto channel = [&](int shift) { return ((texel >> shift & 0xFFu) * a + 127) / 255 << shift; };
            texel = (a << 24) | channel(16) | channel(8) | channel(0);
        }
        canvas_.assign(static_cast<std::size_t>(kWidth) * kHeight, 0xFF204060u);
        target_ = pixman_image_create_bits(PIXMAN_a8r8g8b8, kWidth, kHeight, canvas_.data(), kWidth * 4);
        sprite_ = pixman_image_create_bits(PIXMAN_a8r8g8b8, size, size, texels_.data(), size * 4);
        pixman_image_set_filter(sprite_, PIXMAN_FILTER_NEAREST, nullptr, 0);
        // A turned sprite is drawn through the inverse of its turn about its centre, over its bounds.
        for (const float degrees : placement_.angles) {
            const double radians = degrees * 3.14159265358979 / 180.0;
            pixman_transform_t turn;
            pixman_transform_init_identity(&turn);
            const pixman_fixed_t half = pixman_int_to_fixed(size) / 2;
            const pixman_fixed_t reach = pixman_double_to_fixed(size * 0.7071);
            pixman_transform_translate(&turn, nullptr, -reach, -reach);
            pixman_transform_rotate(&turn, nullptr, pixman_double_to_fixed(std::cos(-radians)),
                                    pixman_double_to_fixed(std::sin(-radians)));
            pixman_transform_translate(&turn, nullptr, half, half);
            turns_.push_back(turn);
        }
    }
    ~PixmanFill()
    {
        pixman_image_unref(sprite_);
        pixman_image_unref(target_);
    }
    PixmanFill(const PixmanFill&) = delete;
    PixmanFill& operator=(const PixmanFill&) = delete;
    bool Ok() const { return target_ && sprite_; }
    void Draw()
    {
        const bool turned = !turns_.empty();
        for (int i = 0; i < kSprites; ++i) {
            const auto& r = placement_.rects[static_cast<std::size_t>(i)];
            const int x = static_cast<int>(r[0]);
            const int y = static_cast<int>(r[1]);
            if (turned) {
                const int reach = static_cast<int>(size_ * 0.7071) + 1;
                pixman_image_set_transform(sprite_, &turns_[static_cast<std::size_t>(i)]);
                pixman_image_composite32(PIXMAN_OP_OVER, sprite_, nullptr, target_, 0, 0, 0, 0, x + size_ / 2 - reach,
                                         y + size_ / 2 - reach, 2 * reach, 2 * reach);
            } else {
                pixman_image_composite32(PIXMAN_OP_OVER, sprite_, nullptr, target_, 0, 0, 0, 0, x, y, size_, size_);
            }
        }
        benchmark::DoNotOptimize(canvas_.data());
    }

private:
    int size_;
    Placement placement_;
    std::vector<std::uint32_t> texels_;
    std::vector<std::uint32_t> canvas_;
    std::vector<pixman_transform_t> turns_;
    pixman_image_t* target_ = nullptr;
    pixman_image_t* sprite_ = nullptr;
};
#endif

template <typename Fill>
void RunFill(benchmark::State& state)
{
    const int size = static_cast<int>(state.range(0));
    Fill fill(size, state.range(1) != 0);
    if (!fill.Ok()) {
        state.SkipWithError("the renderer could not be made");
        return;
    }
    for (auto _ : state) fill.Draw();
    Report(state, size);
}

void BM_SpriteFillDevice(benchmark::State& state) { RunFill<DeviceFill>(state); }
void BM_SpriteFillSdlSoftware(benchmark::State& state) { RunFill<SdlSoftwareFill>(state); }
BENCHMARK(BM_SpriteFillDevice)->Args({32, 0})->Args({4, 0})->Args({32, 1})->ArgNames({"size", "turned"});
BENCHMARK(BM_SpriteFillSdlSoftware)->Args({32, 0})->Args({4, 0})->Args({32, 1})->ArgNames({"size", "turned"});
#if defined(VARNOLIS_BENCH_PIXMAN)
void BM_SpriteFillPixman(benchmark::State& state) { RunFill<PixmanFill>(state); }
BENCHMARK(BM_SpriteFillPixman)->Args({32, 0})->Args({4, 0})->Args({32, 1})->ArgNames({"size", "turned"});
#endif

double ThreadCpuNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e9 + static_cast<double>(now.tv_nsec);
}

// CPU nanoseconds of the fastest of the rounds a renderer drew, per unit:
// time the thread spent waiting for a core does not count.
class FastestRound {
public:
    template <typename Fill>
    void Time(Fill& fill)
    {
        const double start = ThreadCpuNanoseconds();
        fill.Draw();
        best_ = std::min(best_, ThreadCpuNanoseconds() - start);
    }
    double PerUnit(int size) const { return best_ / Units(size); }

private:
    double best_ = std::numeric_limits<double>::infinity();
};

// Each round draws the frame with every renderer in turn. Printed: each one's
// fastest round per pixel (32) or per sprite (4), and the device's time over
// each peer's (below 1: the device is faster).
void BM_SpriteFillRatios(benchmark::State& state)
{
    const int size = static_cast<int>(state.range(0));
    const bool turned = state.range(1) != 0;
    DeviceFill device(size, turned);
    SdlSoftwareFill sdl(size, turned);
    FastestRound deviceTime, sdlTime;
#if defined(VARNOLIS_BENCH_PIXMAN)
    PixmanFill pixman(size, turned);
    FastestRound pixmanTime;
#endif
    if (!sdl.Ok()) {
        state.SkipWithError("SDL's software renderer could not be made");
        return;
    }
    for (auto _ : state) {
        deviceTime.Time(device);
        sdlTime.Time(sdl);
#if defined(VARNOLIS_BENCH_PIXMAN)
        pixmanTime.Time(pixman);
#endif
    }
    const double own = deviceTime.PerUnit(size);
    state.counters["device_ns"] = own;
    state.counters["sdl_ns"] = sdlTime.PerUnit(size);
    state.counters["device_over_sdl"] = own / sdlTime.PerUnit(size);
#if defined(VARNOLIS_BENCH_PIXMAN)
    state.counters["pixman_ns"] = pixmanTime.PerUnit(size);
    state.counters["device_over_pixman"] = own / pixmanTime.PerUnit(size);
#endif
}
BENCHMARK(BM_SpriteFillRatios)
    ->Args({32, 0})
    ->Args({4, 0})
    ->Args({32, 1})
    ->ArgNames({"size", "turned"})
    ->Iterations(100)
    ->Unit(benchmark::kMillisecond);

}  // namespace
