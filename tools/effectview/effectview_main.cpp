// Plays the data set's effects over a desert backdrop, for checking the
// effect scripts and sprites by eye: hit sparks on the left, a column of
// smoke in the middle, sparkles on the right, each spawned again and again
// at varying points.
//
//   effectview [--resources DIR] [--frames N]
//
// --resources  the data folder (default ResourceWin): shaders,
//              effect/effect.pac and script/particle.pac
// --frames     quits after that many frames (default: when the window closes)

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "framework/app/canvas.h"
#include "framework/app/framework_manager.h"
#include "framework/app/quitting.h"
#include "framework/file/resource_file.h"
#include "framework/graphics/device_record.h"
#include "framework/graphics/polygon_render.h"
#include "framework/graphics/render_states.h"
#include "framework/graphics/shader.h"
#include "framework/graphics/sprite_registry.h"
#include "framework/math/random.h"
#include "framework/memory/heaps.h"
#include "framework/utility/particle/effect_layer.h"
#include "framework/window/message_pump.h"

namespace {

using vesk::graphics::Vec2f;
using vesk::utility::particle::UTL_CEffectLayer;
using vesk::utility::particle::UTL_SEffectRequest;

constexpr int kEffectGroup = 1;  // where the game loads effect/effect.pac

struct Options {
    std::string resources = std::string(vesk::file::kResourceFolder);
    long frames = -1;
};

int Usage()
{
    std::fprintf(stderr, "usage: effectview [--resources DIR] [--frames N]\n");
    return 2;
}

bool ParseOptions(int argc, char** argv, Options& options)
{
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--resources" && i + 1 < argc) {
            options.resources = argv[++i];
        } else if (arg == "--frames" && i + 1 < argc) {
            options.frames = std::max(1L, std::atol(argv[++i]));
        } else {
            return false;
        }
    }
    return true;
}

// Colours as RGBA bytes, red lowest.
constexpr std::uint32_t Rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b)
{
    return 0xFF000000u | (b << 16) | (g << 8) | r;
}

void DrawGradient(vesk::graphics::SYSWIN_CPolygonRender_Color& renderer, Vec2f position, Vec2f size,
                  std::uint32_t top, std::uint32_t bottom)
{
    renderer.transform.perCornerColor = 1;
    renderer.transform.cornerColors[0] = top;
    renderer.transform.cornerColors[1] = bottom;
    renderer.transform.cornerColors[2] = top;
    renderer.transform.cornerColors[3] = bottom;
    renderer.AddRect(position, size, 0xFFFFFFFFu);
    renderer.transform.perCornerColor = 0;
}

// Dusk sky, far dunes and the sand the ship drives on.
void DrawBackdrop()
{
    vesk::graphics::DeviceRecord* record = vesk::graphics::GetDeviceRecord();
    if (!record) return;
    vesk::graphics::BeginColorPolygonDraw();
    auto& renderer = record->colorRenderer;
    DrawGradient(renderer, {0, 0}, {640, 230}, Rgb(38, 44, 92), Rgb(214, 128, 92));
    DrawGradient(renderer, {0, 200}, {640, 50}, Rgb(150, 96, 70), Rgb(186, 128, 80));
    DrawGradient(renderer, {0, 240}, {640, 120}, Rgb(212, 164, 98), Rgb(150, 102, 58));
    for (int x = 0; x < 640; x += 80) renderer.AddRect({static_cast<float>(x), 300}, {40, 2}, Rgb(170, 120, 70));
    renderer.Flush();
}

UTL_SEffectRequest At(std::u16string_view label, float x, float y)
{
    UTL_SEffectRequest request;
    request.labelName = std::u16string(label);
    request.params.offset = {x, y};
    return request;
}

float Jitter(float range) { return vesk::math::RandFloat(2.0f * range) - range; }

void SpawnForFrame(UTL_CEffectLayer& layer, long frame)
{
    if (frame % 18 == 0) layer.SpawnParticleEffect(At(u"hit_spark", 110.0f + Jitter(60), 150.0f + Jitter(70)));
    if (frame % 9 == 0) layer.SpawnParticleEffect(At(u"smoke", 320.0f + Jitter(10), 260.0f));
    if (frame % 7 == 0) layer.SpawnParticleEffect(At(u"sparkle", 530.0f + Jitter(70), 150.0f + Jitter(90)));
}

int Run(const Options& options)
{
    vesk::file::SetResourceFolder(options.resources);
    vesk::memory::CreateHeaps();
    vesk::app::SetupCanvas();
    if (!vesk::app::CreateFrameworkManager()) {
        std::fprintf(stderr, "error: cannot open a window\n");
        return 1;
    }
    vesk::app::SetupRenderResources();
    vesk::resource::SpriteRegistry& registry = vesk::app::GetFrameworkManager()->spriteRegistry;
    const vesk::resource::TextureLoader loader{nullptr, vesk::memory::MainHeap()};
    int result = 1;
    if (registry.LoadSpritePackage(loader, kEffectGroup, "effect/effect.pac") == nullptr) {
        std::fprintf(stderr, "error: cannot load effect/effect.pac\n");
    } else {
        UTL_CEffectLayer layer;
        layer.LoadParticleScripts();
        int quit = 0;
        for (long frame = 0; quit == 0 && frame != options.frames;) {
            int exitCode = 0;
            if (vesk::window::PumpMessages(&quit, &exitCode) != 0) continue;
            SpawnForFrame(layer, frame);
            layer.UpdateParticleEffects();
            vesk::app::BeginFrameDraw();
            DrawBackdrop();
            layer.DrawParticleEffects();
            vesk::app::EndFrameDraw();
            ++frame;
            if (vesk::app::IsQuitting()) break;
        }
        layer.ReleaseParticleEffects();
        result = 0;
    }

    registry.ReleaseAll();
    vesk::graphics::ReleaseShaderManager();
    vesk::graphics::ReleaseRenderStates();
    vesk::app::ReleaseFrameworkManager();
    vesk::app::ReleaseDeviceAndWindow();
    vesk::memory::ReleaseHeaps();
    return result;
}

}  // namespace

// The display libraries a real window loads keep allocations to the end of
// the process; in a sanitizer build the leak report would only list theirs.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }

int main(int argc, char** argv)
{
    Options options;
    if (!ParseOptions(argc, argv, options)) return Usage();
    return Run(options);
}
