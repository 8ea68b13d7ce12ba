// One frame of the script-graphic engine with 1,000 objects.
// 500 script objects that each drive a child sprite, as the effect layer runs
// them.
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include "framework/app/framework_manager.h"
#include "framework/app/framework_session.h"
#include "framework/file/resource_file.h"
#include "framework/graphics/shader_table.h"
#include "framework/graphics/sprite_registry.h"
#include "framework/math/random.h"
#include "framework/memory/heaps.h"
#include "framework/utility/script_graphic/script_engine.h"
#include "framework/utility/script_package/script_package.h"
#include "tools/common/cfx_writer.h"
#include "tools/common/script_assembler.h"
#include "tools/common/script_commands.h"
#include "tools/common/sprite_package_writer.h"

namespace {

using namespace vesk;
using utility::script_graphic::UTL_CScriptEngine;

constexpr int kSpriteGroup = 1;
constexpr int kScriptObjects = 500;

// The commands the benchmark script uses, as the data set defines them.
constexpr const char* kDefinitions = R"(
table 0
nop               0    0
goto              11   0  label
wait              30   0  operand:u16
)";
constexpr const char* kGraphicDefinitions = R"(
table 1
obj.sprite        0    0  utf16[32] i32 i32
life.immortal     6    0  u32
pos.random        15   1  f32 f32 f32 f32
vel.random        30   1  f32 f32 f32 f32
rot.vel           65   0  f32
alpha.vel_random  71   1  i32 i32
inherit.transform 105  0  u32
select.self       100  4
)";

constexpr const char* kScript = R"(
.entry 1
"dot":
    life.immortal 1
    pos.random 0.0, 0.0, 640.0, 360.0
    vel.random -1.0, -1.0, 1.0, 1.0
    obj.sprite "sprite", 1, 0
    inherit.transform 1
    life.immortal 1
    rot.vel 3.0
    alpha.vel_random -1, 0
    select.self
loop:
    wait 1
    goto loop
)";

// A headless framework manager with shaders, renderers and one sprite package.
class Rig {
public:
    Rig()
    {
        folder_ = std::filesystem::temp_directory_path() / ("graphic_bench_" + std::to_string(getpid()));
        std::filesystem::create_directories(folder_ / "shader");
        std::string error;
        for (const auto& shader : resource::VertexShaderTable()) {
            ::tools::WriteCfxFile((folder_ / "shader" / (std::string(shader.name) + ".cfx")).string(),
                                platform::gfx::ShaderStage::Vertex, std::string(shader.name), error);
        }
        for (const auto& shader : resource::PixelShaderTable()) {
            ::tools::WriteCfxFile((folder_ / "shader" / (std::string(shader.name) + ".cfx")).string(),
                                platform::gfx::ShaderStage::Pixel, std::string(shader.name), error);
        }
        file::SetResourceFolder(folder_.string());
        session_.Start();

        ::tools::RgbaImage image(8, 8);
        for (std::size_t i = 0; i < image.rgba.size(); i += 4) {
            image.rgba[i] = 240;
            image.rgba[i + 1] = static_cast<std::uint8_t>(i);
            image.rgba[i + 2] = 60;
            image.rgba[i + 3] = 200;
        }
        package_ = *::tools::MakeSpritePackage("bench_atlas", {{"sprite", image}});
        resource::GetSpriteRegistry()->LoadSpritePackageFromMemory({nullptr, memory::ResourceHeap()}, kSpriteGroup, package_, "bench");

        ::vesk::tools::script::CommandSet commands;
        ::vesk::tools::script::Diagnostics errors;
        commands.Parse(kDefinitions, "common.def", errors);
        commands.Parse(kGraphicDefinitions, "graphic.def", errors);
        const auto assembled = ::vesk::tools::script::AssembleScript(kScript, "bench.vss", commands);
        void* image_ = memory::MainHeapAlloc(assembled.package.size());
        std::memcpy(image_, assembled.package.data(), assembled.package.size());
        manager_.ParseScriptPackage(image_, assembled.package.size(), "bench.pac");
        engine->Init(manager_.FindProgram(1));

        math::SeedRandom(7);
        const std::uint32_t start = engine->FindLabel(u"dot")->commandIndex;
        for (int i = 0; i < kScriptObjects; ++i) {
            engine->CreateScriptObject(u"dot", start, nullptr);
        }
        Update();
    }

    ~Rig()
    {
        engine.reset();  // its objects live in the main heap
        manager_.Release();
        session_.Stop();
        file::SetResourceFolder(file::kResourceFolder);
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }

    void Update() { engine->RunFramePasses(); }

    void Draw() { engine->DrawAllPriorities(); }

    app::FrameworkSession session_{app::FrameworkSystem::Heaps | app::FrameworkSystem::Canvas |
                                   app::FrameworkSystem::FrameworkManager | app::FrameworkSystem::RenderResources};
    utility::script_package::UTL_CManager manager_;
    std::unique_ptr<UTL_CScriptEngine> engine = std::make_unique<UTL_CScriptEngine>();

private:
    std::filesystem::path folder_;
    std::vector<std::uint8_t> package_;
};

void BM_ScriptGraphicUpdate1000(benchmark::State& state)
{
    Rig rig;
    for (auto _ : state) {
        rig.Update();
    }
    state.counters["objects"] = static_cast<double>(rig.engine->ObjectCount());
}
BENCHMARK(BM_ScriptGraphicUpdate1000)->Unit(benchmark::kMicrosecond);

// The update, then every object queued and the batches flushed (the software
// rasterizer draws 500 small sprites into the canvas).
void BM_ScriptGraphicUpdateAndDraw1000(benchmark::State& state)
{
    Rig rig;
    for (auto _ : state) {
        state.PauseTiming();
        app::BeginFrameDraw();  // the canvas clear belongs to the frame, not to the objects
        state.ResumeTiming();
        rig.Update();
        rig.Draw();
    }
    state.counters["objects"] = static_cast<double>(rig.engine->ObjectCount());
}
BENCHMARK(BM_ScriptGraphicUpdateAndDraw1000)->Unit(benchmark::kMicrosecond);

}  // namespace
