// The framework manager's life, the render resources' set-up and the frame's draw begin and end.
#include "framework/app/framework_manager.h"

#include "framework/app/window_title.h"
#include "framework/camera/framework_camera.h"
#include "framework/graphics/device_record.h"
#include "framework/graphics/render_states.h"
#include "framework/graphics/shader.h"
#include "framework/log/log.h"
#include "framework/process/canvas.h"
#include "framework/window/main_window.h"

namespace vesk::app {

namespace {

GAME_CFrameworkManager* g_manager = nullptr;
constexpr uint32_t kOpaqueBlack = 0xFF000000u;

bool CreateDeviceAndWindow(std::u16string_view title)
{
    if (!window::CreateMainWindow(title)) return false;
    // The device makes its targets and places the window on its monitor.
    if (!graphics::CreateDevice()) log::Error("cannot create the graphics device");
    window::ShowMainWindow();
    return true;
}

}  // namespace

GAME_CFrameworkManager* GetFrameworkManager()
{
    return g_manager;
}

bool CreateFrameworkManager()
{
    // From the main heap, or the general allocator without one; null when out of memory.
    g_manager = new GAME_CFrameworkManager();
    if (g_manager) {
        text::SetFontManager(&g_manager->fontManager);
        resource::SetSpriteRegistry(&g_manager->spriteRegistry);
        camera::SetCamera(&g_manager->camera);
        utility::script::SetAnimationRegistry(&g_manager->animationRegistry);
    }

    const int language = ReadPlatformLanguage();
    const bool created = CreateDeviceAndWindow(WindowTitleForPlatformLanguage(language));
    graphics::CreateRenderStates();
    return created;
}

void SetupRenderResources()
{
    // The sprite-group registry is set up here too.
    graphics::CreateShaderManager();
    if (!graphics::SetupPolygonRenderers()) log::Error("cannot set up the polygon renderers");
    camera::SetupCamera();
    if (g_manager) g_manager->clearColor = 0xFF000000u;
}

void BeginFrameDraw()
{
    process::SetCurrentViewIndex(0);
    graphics::BindOffscreenTarget(g_manager ? g_manager->clearColor : kOpaqueBlack);
    graphics::SetRasterizerState(2, true);
    graphics::SetDepthStencilState(7, true);
    graphics::ApplyBlendMode(4);
    // Point filtering, the address modes kept.
    graphics::SetSamplerState(graphics::GetSamplerKey() & ~0xFFu, true);
    graphics::BeginCanvasPass();
}

void EndFrameDraw()
{
    graphics::PresentFrame(g_manager ? g_manager->clearColor : kOpaqueBlack);
}

void ReleaseFrameworkManager()
{
    camera::SetCamera(nullptr);
    resource::SetSpriteRegistry(nullptr);
    text::SetFontManager(nullptr);
    if (g_manager && utility::script::GetAnimationRegistry() == &g_manager->animationRegistry) {
        utility::script::SetAnimationRegistry(nullptr);
    }
    delete g_manager;
    g_manager = nullptr;
}

void ReleaseDeviceAndWindow()
{
    graphics::ReleaseDevice();
    window::ReleaseMainWindow();
}

}  // namespace vesk::app
