// effectview: plays the data set's effects over a desert backdrop, for checking them by eye.
// Hit sparks on the left, a column of smoke in the middle, sparkles on the
// right, each spawned again and again at varying points, show the effect
// scripts and sprites.
//
//   effectview [--resources DIR] [--frames N]
//
// --resources  the data folder (default ResourceWin): shaders,
//              effect/effect.pac and script/particle.pac
// --frames     quits after that many frames (default: when the window closes)

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "framework/graphics/device_record.h"
#include "framework/graphics/polygon_render.h"
#include "framework/graphics/sprite_registry.h"
#include "framework/math/random.h"
#include "framework/memory/heaps.h"
#include "framework/utility/effect/effect_layer.h"
#include "tools/common/viewer.h"

namespace {

using vesk::graphics::Vec2f;
using vesk::utility::particle::UTL_CEffectLayer;
using vesk::utility::particle::UTL_SEffectRequest;

constexpr int kEffectGroup = 1;  // where the game loads effect/effect.pac

int Usage()
{
    std::fprintf(stderr, "usage: effectview [--resources DIR] [--frames N]\n");
    return 2;
}

bool ParseOptions(int argc, char** argv, tools::ViewerOptions& options)
{
    for (int i = 1; i < argc; ++i) {
        if (!tools::ParseViewerOption(argc, argv, i, options)) {
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

int Run(const tools::ViewerOptions& options)
{
    if (!tools::OpenViewer(options)) {
        return 1;
    }
    vesk::resource::SpriteRegistry& registry = *vesk::resource::GetSpriteRegistry();
    const vesk::resource::TextureLoader loader{nullptr, vesk::memory::MainHeap()};
    int result = 1;
    if (registry.LoadSpritePackage(loader, kEffectGroup, "effect/effect.pac") == nullptr) {
        std::fprintf(stderr, "error: cannot load effect/effect.pac\n");
    } else {
        UTL_CEffectLayer layer;
        layer.LoadParticleScripts();
        tools::RunViewerFrames(
            options,
            [&](long frame) {
                SpawnForFrame(layer, frame);
                layer.UpdateParticleEffects();
            },
            [&] {
                DrawBackdrop();
                layer.DrawParticleEffects();
            });
        layer.ReleaseParticleEffects();
        result = 0;
    }
    tools::CloseViewer();
    return result;
}

}  // namespace

int main(int argc, char** argv)
{
    tools::ViewerOptions options = tools::DefaultViewerOptions("effectview");
    if (!ParseOptions(argc, argv, options)) return Usage();
    return Run(options);
}
