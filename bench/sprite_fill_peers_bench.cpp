// Alpha sprite fill of the device against two other software renderers in the same run: pixman
// (where its headers are installed) and SDL's software renderer. 32 x 32 sprites give the cost
// per pixel, 4 x 4 sprites the set-up per sprite, turned 32 x 32 sprites the rotated fill.
#include <benchmark/benchmark.h>

#include <SDL.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <random>
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

// Per pixel for the big sprites, per sprite for the small ones.
void Report(benchmark::State& state, int size)
{
    if (size >= 32) {
        state.counters["time_per_pixel"] = benchmark::Counter(
            static_cast<double>(kSprites) * size * size, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    } else {
        state.counters["time_per_sprite"] =
            benchmark::Counter(kSprites, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    }
}

// The sprite's texels as straight-alpha 0xAARRGGBB words, the same for every renderer.
std::vector<std::uint32_t> Texels(const bench::SpriteRig& rig, int size)
{
    return {rig.texture->Pixels(), rig.texture->Pixels() + static_cast<std::size_t>(size) * size};
}

void BM_SpriteFillDevice(benchmark::State& state)
{
    const int size = static_cast<int>(state.range(0));
    const bool turned = state.range(1) != 0;
    bench::SpriteRig rig(kWidth, kHeight, size, size, true);
    const Placement placement = Place(size, turned);
    rig.SetQuads(placement.rects, kWidth, kHeight, placement.angles);
    for (auto _ : state) {
        rig.device.DrawIndexed(rig.indexCount, 0, 0);
        benchmark::DoNotOptimize(rig.target->Pixels());
    }
    Report(state, size);
}

void BM_SpriteFillSdlSoftware(benchmark::State& state)
{
    const int size = static_cast<int>(state.range(0));
    const bool turned = state.range(1) != 0;
    const bench::SpriteRig rig(16, 16, size, size, true);
    std::vector<std::uint32_t> texels = Texels(rig, size);
    SDL_Surface* target = SDL_CreateRGBSurfaceWithFormat(0, kWidth, kHeight, 32, SDL_PIXELFORMAT_ARGB8888);
    SDL_Surface* sprite =
        SDL_CreateRGBSurfaceWithFormatFrom(texels.data(), size, size, 32, size * 4, SDL_PIXELFORMAT_ARGB8888);
    SDL_Renderer* renderer = target ? SDL_CreateSoftwareRenderer(target) : nullptr;
    SDL_Texture* texture = renderer && sprite ? SDL_CreateTextureFromSurface(renderer, sprite) : nullptr;
    if (!texture) {
        state.SkipWithError("SDL's software renderer could not be made");
    } else {
        SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_BLEND);
        SDL_SetTextureScaleMode(texture, SDL_ScaleModeNearest);
        const Placement placement = Place(size, turned);
        for (auto _ : state) {
            for (int i = 0; i < kSprites; ++i) {
                const auto& r = placement.rects[static_cast<std::size_t>(i)];
                const SDL_Rect to{static_cast<int>(r[0]), static_cast<int>(r[1]), size, size};
                if (turned) {
                    SDL_RenderCopyEx(renderer, texture, nullptr, &to, placement.angles[static_cast<std::size_t>(i)],
                                     nullptr, SDL_FLIP_NONE);
                } else {
                    SDL_RenderCopy(renderer, texture, nullptr, &to);
                }
            }
            SDL_RenderFlush(renderer);
            benchmark::DoNotOptimize(target->pixels);
        }
        Report(state, size);
    }
    if (texture) SDL_DestroyTexture(texture);
    if (renderer) SDL_DestroyRenderer(renderer);
    SDL_FreeSurface(sprite);
    SDL_FreeSurface(target);
}

#if defined(VARNOLIS_BENCH_PIXMAN)
void BM_SpriteFillPixman(benchmark::State& state)
{
    const int size = static_cast<int>(state.range(0));
    const bool turned = state.range(1) != 0;
    const bench::SpriteRig rig(16, 16, size, size, true);
    // pixman composites premultiplied colour.
    std::vector<std::uint32_t> texels = Texels(rig, size);
    for (std::uint32_t& texel : texels) {
        const std::uint32_t a = texel >> 24;
        const auto channel = [&](int shift) { return ((texel >> shift & 0xFFu) * a + 127) / 255 << shift; };
        texel = (a << 24) | channel(16) | channel(8) | channel(0);
    }
    std::vector<std::uint32_t> canvas(static_cast<std::size_t>(kWidth) * kHeight, 0xFF204060u);
    pixman_image_t* target = pixman_image_create_bits(PIXMAN_a8r8g8b8, kWidth, kHeight, canvas.data(), kWidth * 4);
    pixman_image_t* sprite = pixman_image_create_bits(PIXMAN_a8r8g8b8, size, size, texels.data(), size * 4);
    pixman_image_set_filter(sprite, PIXMAN_FILTER_NEAREST, nullptr, 0);
    const Placement placement = Place(size, turned);
    // A turned sprite is drawn through the inverse of its turn about its centre, over its bounds.
    std::vector<pixman_transform_t> turns;
    for (const float degrees : placement.angles) {
        const double radians = degrees * 3.14159265358979 / 180.0;
        pixman_transform_t turn;
        pixman_transform_init_identity(&turn);
        const pixman_fixed_t half = pixman_int_to_fixed(size) / 2;
        const pixman_fixed_t reach = pixman_double_to_fixed(size * 0.7071);
        pixman_transform_translate(&turn, nullptr, -reach, -reach);
        pixman_transform_rotate(&turn, nullptr, pixman_double_to_fixed(std::cos(-radians)),
                                pixman_double_to_fixed(std::sin(-radians)));
        pixman_transform_translate(&turn, nullptr, half, half);
        turns.push_back(turn);
    }
    for (auto _ : state) {
        for (int i = 0; i < kSprites; ++i) {
            const auto& r = placement.rects[static_cast<std::size_t>(i)];
            const int x = static_cast<int>(r[0]);
            const int y = static_cast<int>(r[1]);
            if (turned) {
                const int reach = static_cast<int>(size * 0.7071) + 1;
                pixman_image_set_transform(sprite, &turns[static_cast<std::size_t>(i)]);
                pixman_image_composite32(PIXMAN_OP_OVER, sprite, nullptr, target, 0, 0, 0, 0, x + size / 2 - reach,
                                         y + size / 2 - reach, 2 * reach, 2 * reach);
            } else {
                pixman_image_composite32(PIXMAN_OP_OVER, sprite, nullptr, target, 0, 0, 0, 0, x, y, size, size);
            }
        }
        benchmark::DoNotOptimize(canvas.data());
    }
    Report(state, size);
    pixman_image_unref(sprite);
    pixman_image_unref(target);
}
BENCHMARK(BM_SpriteFillPixman)->Args({32, 0})->Args({4, 0})->Args({32, 1})->ArgNames({"size", "turned"});
#endif

BENCHMARK(BM_SpriteFillDevice)->Args({32, 0})->Args({4, 0})->Args({32, 1})->ArgNames({"size", "turned"});
BENCHMARK(BM_SpriteFillSdlSoftware)->Args({32, 0})->Args({4, 0})->Args({32, 1})->ArgNames({"size", "turned"});

}  // namespace
