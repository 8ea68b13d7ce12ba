// The drawing of one frame of the largest game, the world not stepped: the larger hull furnished to the full with its
// 128 crew under way on the busy road at the widest zoom, in a 1280 x 800 window, taken to the back buffer or shown as
// well. Aim: under 1.5 ms shown, a small share of the 16.7 ms of a frame at 60 frames a second.
// VARNOLIS_FRAME_PICTURE=path writes the first frame drawn as PPM pictures of the canvas (path) and the back buffer
// (path.back.ppm): the game is the same on every run, so a change to the renderer that must not move a pixel is
// checked by comparing the files written before and after it.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/repeatable_run.h"
#include "bench/road_reader.h"
#include "bench/travel_rig.h"
#include "framework/app/framework_manager.h"
#include "framework/graphics/device_record.h"
#include "game/app/scene/scene_stack.h"
#include "game/model/world/game_world.h"
#include "game/services/ui_port/ui_slots.h"
#include "tests/support/ppm_picture.h"
#include "tools/common/whole_file.h"

namespace {

constexpr std::uint32_t kSeed = 20240601;
constexpr int kSettlingFrames = 600;  // the crew spread out from where they were put, the enemies come in sight

// One frame's drawing as the game's loop does it, without the input and the world's step before it. Kept a call of its
// own, so that callgrind can count it alone (--collect-atstart=no --toggle-collect='*DrawWholeFrame*'): 201 frames.
[[gnu::noinline]] void DrawWholeFrame()
{
    vesk::app::BeginFrameDraw();
    if (GAME_CSceneStack* stack = PeekSceneStack()) DrawSceneStack(*stack);
    vesk::app::EndFrameDraw();
}

bool WriteTargetPicture(int target, const std::string& path)
{
    const platform::gfx::Texture& texture = *vesk::graphics::GetDeviceRecord()->targets[target]->color.DeviceTexture();
    const std::vector<std::uint32_t> pixels(texture.Pixels(), texture.Pixels() + static_cast<std::size_t>(texture.Width()) * texture.Height());
    return tools::WriteWholeFile(path, support::PpmPicture(texture.Width(), texture.Height(), pixels));
}

void BM_FullShipFrameDraw(benchmark::State& state)
{
    const bench_support::RepeatableRun repeatable(kSeed);
    bench_support::TravelRig rig({.heavy = true, .windowWidth = 1280, .windowHeight = 800, .shown = state.range(0) != 0});
    if (!rig.Ok()) {
        state.SkipWithError("the road could not be set up");
        return;
    }
    // The game as a player sees it under way: the HUD up, the road's texts read as they come.
    GAME_CGameWorld& world = *PeekGameWorld();
    world.ui->SetOpen(kSlotCommon, true);
    bench_support::PlayReadingTheRoad(rig, world, kSettlingFrames);
    platform::gfx::Device& device = *vesk::graphics::GetDevice();
    DrawWholeFrame();
    if (const char* path = std::getenv("VARNOLIS_FRAME_PICTURE")) {
        if (!WriteTargetPicture(vesk::graphics::kOffscreenTarget, path) ||
            !WriteTargetPicture(vesk::graphics::kBackBufferTarget, std::string(path) + ".back.ppm")) {
            state.SkipWithError("the frame's pictures could not be written");
            return;
        }
    }
    device.ResetStats();
    for (auto _ : state) DrawWholeFrame();
    const double frames = static_cast<double>(state.iterations());
    const platform::gfx::Device::Stats& stats = device.GetStats();
    state.counters["draws"] = static_cast<double>(stats.draws) / frames;
    state.counters["triangles"] = static_cast<double>(stats.triangles) / frames;
    state.counters["fast_quads"] = static_cast<double>(stats.fastQuads) / frames;
    state.counters["sprite_triangles"] = static_cast<double>(stats.spriteTriangles) / frames;
}
BENCHMARK(BM_FullShipFrameDraw)->Arg(0)->Arg(1)->ArgName("shown")->Iterations(200)->Unit(benchmark::kMillisecond);

}  // namespace
