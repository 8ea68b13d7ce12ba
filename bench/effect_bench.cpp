// The effect layer's frame with 100 live effects.
// The frame is the script-graphic engine's passes, the record scan and one
// 32 x 32 sprite draw per effect into the canvas. Headless, on the framework
// as the application sets it up.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/bench_paths.h"
#include "framework/app/framework_manager.h"
#include "framework/app/framework_session.h"
#include "framework/file/resource_file.h"
#include "framework/graphics/shader_table.h"
#include "framework/graphics/sprite_registry.h"
#include "framework/memory/heaps.h"
#include "framework/utility/effect/effect_layer.h"
#include "tools/common/cfx_writer.h"
#include "tools/common/script_assembler.h"
#include "tools/common/script_commands.h"
#include "tools/common/sprite_package_writer.h"

namespace {

namespace fs = std::filesystem;
using vesk::utility::particle::UTL_CEffectLayer;
using vesk::utility::particle::UTL_SEffectRequest;

// Flips between two frames for as long as it lives; "turning" also turns,
// which takes the rasterizer off its axis-aligned quad path.
constexpr const char* kLoopingEffect = R"(
.entry 1
"全オブジェクトの親":
    life.immortal 1
    halt
"turning":
    visible 1
    life.immortal 1
    obj.sprite "puff" 1 0
    life.immortal 1
    rot.vel 3
    goto again
"loop":
    visible 1
    life.immortal 1
    obj.sprite "puff" 1 0
    life.immortal 1
again:
    obj.set_sprite 1 0
    wait 4
    obj.set_sprite 1 1
    wait 4
    goto again
)";

tools::RgbaImage SoftDisc(std::uint8_t shade)
{
    tools::RgbaImage image(32, 32);
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const float dx = static_cast<float>(x) - 15.5f, dy = static_cast<float>(y) - 15.5f;
            const float inside = std::max(0.0f, 1.0f - (dx * dx + dy * dy) / 256.0f);
            std::uint8_t* p = &image.rgba[static_cast<std::size_t>(y * 32 + x) * 4];
            p[0] = p[1] = p[2] = shade;
            p[3] = static_cast<std::uint8_t>(inside * 255.0f);
        }
    }
    return image;
}

// The framework, the effect package and sprites in a scratch data folder.
class EffectRig {
public:
    explicit EffectRig(bool turning)
    {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        folder_ = fs::temp_directory_path() / ("varnolis_effect_bench_" + std::to_string(getpid()));
        fs::create_directories(folder_ / "shader");
        fs::create_directories(folder_ / "script");
        std::string error;
        for (const auto& shader : vesk::resource::VertexShaderTable()) {
            tools::WriteCfxFile((folder_ / "shader" / (std::string(shader.name) + ".cfx")).string(),
                                platform::gfx::ShaderStage::Vertex, std::string(shader.name), error);
        }
        for (const auto& shader : vesk::resource::PixelShaderTable()) {
            tools::WriteCfxFile((folder_ / "shader" / (std::string(shader.name) + ".cfx")).string(),
                                platform::gfx::ShaderStage::Pixel, std::string(shader.name), error);
        }
        WriteEffects();
        vesk::file::SetResourceFolder(folder_.string());
        ok_ = session_.Start();
        if (!ok_) return;
        package_ = *tools::MakeSpritePackage("effect", {{"puff_a.png", SoftDisc(230)}, {"puff_b.png", SoftDisc(160)}});
        const vesk::resource::TextureLoader loader{nullptr, vesk::memory::MainHeap()};
        ok_ = vesk::resource::GetSpriteRegistry()->LoadSpritePackageFromMemory(loader, 1, package_, "effect.pac") !=
              nullptr;
        layer.LoadParticleScripts();
        for (int i = 0; i < 100; ++i) {
            UTL_SEffectRequest request;
            request.labelName = turning ? u"turning" : u"loop";
            request.params.offset = {32.0f + static_cast<float>(i % 10) * 60.0f,
                                     20.0f + static_cast<float>(i / 10) * 34.0f};
            ok_ = ok_ && layer.SpawnParticleEffect(request) != nullptr;
        }
        vesk::app::BeginFrameDraw();
    }

    ~EffectRig()
    {
        layer.ReleaseParticleEffects();
        session_.Stop();
        vesk::file::SetResourceFolder(vesk::file::kResourceFolder);
        std::error_code ignored;
        fs::remove_all(folder_, ignored);
    }

    bool Ok() const { return ok_; }

    UTL_CEffectLayer layer;

private:
    void WriteEffects()
    {
        vesk::tools::script::CommandSet commands;
        vesk::tools::script::Diagnostics errors;
        const fs::path defs = bench_support::ScriptDefinitionsFolder();
        commands.LoadFile((defs / "common.def").string(), errors);
        commands.LoadFile((defs / "graphic.def").string(), errors);
        const auto result = vesk::tools::script::AssembleScript(kLoopingEffect, "bench.vss", commands);
        for (const auto& error : result.errors) std::fprintf(stderr, "%s\n", error.ToString().c_str());
        std::ofstream(folder_ / "script" / "particle.pac", std::ios::binary)
            .write(reinterpret_cast<const char*>(result.package.data()),
                   static_cast<std::streamsize>(result.package.size()));
    }

    vesk::app::FrameworkSession session_{vesk::app::FrameworkSystem::Heaps | vesk::app::FrameworkSystem::Canvas |
                                         vesk::app::FrameworkSystem::FrameworkManager |
                                         vesk::app::FrameworkSystem::RenderResources};
    fs::path folder_;
    std::vector<std::uint8_t> package_;
    bool ok_ = false;
};

void BM_EffectLayerUpdateAndDraw100(benchmark::State& state)
{
    EffectRig rig(state.range(0) != 0);
    if (!rig.Ok()) {
        state.SkipWithError("the effect rig did not come up");
        return;
    }
    for (auto _ : state) {
        rig.layer.UpdateParticleEffects();
        rig.layer.DrawParticleEffects();
    }
    state.counters["drawn"] = static_cast<double>(rig.layer.CollectDraws().size());
}
BENCHMARK(BM_EffectLayerUpdateAndDraw100)->ArgName("turning")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The same frame without the rasterizer: scripts, passes, records, draw maths.
void BM_EffectLayerUpdateAndCollect100(benchmark::State& state)
{
    EffectRig rig(true);
    if (!rig.Ok()) {
        state.SkipWithError("the effect rig did not come up");
        return;
    }
    for (auto _ : state) {
        rig.layer.UpdateParticleEffects();
        benchmark::DoNotOptimize(rig.layer.CollectDraws().data());
    }
}
BENCHMARK(BM_EffectLayerUpdateAndCollect100)->Unit(benchmark::kMicrosecond);

}  // namespace
