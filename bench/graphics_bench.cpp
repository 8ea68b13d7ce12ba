// Rasterizer costs of the frames the game draws most.
// Many small alpha-blended sprites into the 640 x 360 canvas, and the
// full-screen blit of the canvas.
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <memory>
#include <random>
#include <vector>

#include "bench/sprite_rig.h"

namespace {

using namespace platform::gfx;
using bench::SpriteRig;

void BM_TwoThousandAlphaSprites(benchmark::State& state)
{
    SpriteRig rig(640, 360, 32, 32, true);
    rig.device.SetQuadPathEnabled(state.range(0) != 0);
    std::mt19937 random(11);
    std::vector<std::array<float, 4>> rects;
    for (int i = 0; i < 2000; ++i) {
        const float x = static_cast<float>(random() % 620) - 6;
        const float y = static_cast<float>(random() % 340) - 6;
        rects.push_back({x, y, x + 32, y + 32});
    }
    rig.SetQuads(rects, 640, 360);
    for (auto _ : state) {
        rig.device.DrawIndexed(rig.indexCount, 0, 0);
        benchmark::DoNotOptimize(rig.target->Pixels());
    }
    state.SetItemsProcessed(state.iterations() * 2000);
}
BENCHMARK(BM_TwoThousandAlphaSprites)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

// The same sprites turned by random angles, which takes them off the quad
// path: the frames of the effect layer, whose sprites turn.
void BM_TwoThousandTurnedAlphaSprites(benchmark::State& state)
{
    SpriteRig rig(640, 360, 32, 32, true);
    std::mt19937 random(11);
    std::vector<std::array<float, 4>> rects;
    std::vector<float> angles;
    for (int i = 0; i < 2000; ++i) {
        const float x = static_cast<float>(random() % 620) - 6;
        const float y = static_cast<float>(random() % 340) - 6;
        rects.push_back({x, y, x + 32, y + 32});
        angles.push_back(static_cast<float>(random() % 3600) / 10.0f);
    }
    rig.SetQuads(rects, 640, 360, angles);
    for (auto _ : state) {
        rig.device.DrawIndexed(rig.indexCount, 0, 0);
        benchmark::DoNotOptimize(rig.target->Pixels());
    }
    state.SetItemsProcessed(state.iterations() * 2000);
}
BENCHMARK(BM_TwoThousandTurnedAlphaSprites)->Unit(benchmark::kMillisecond);

void BM_FullScreenQuad1280x720(benchmark::State& state)
{
    // The canvas blit: a 640 x 360 picture stretched over a 1280 x 720 target.
    SpriteRig rig(1280, 720, 640, 360, false);
    rig.device.SetQuadPathEnabled(state.range(0) != 0);
    rig.SetQuads({{0, 0, 1280, 720}}, 1280, 720);
    for (auto _ : state) {
        rig.device.DrawIndexed(rig.indexCount, 0, 0);
        benchmark::DoNotOptimize(rig.target->Pixels());
    }
}
BENCHMARK(BM_FullScreenQuad1280x720)->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond);

}  // namespace
