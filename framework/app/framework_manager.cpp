#include "framework/app/framework_manager.h"

#include "framework/app/canvas.h"
#include "framework/app/window_title.h"
#include "framework/graphics/device_record.h"
#include "framework/graphics/render_states.h"
#include "framework/graphics/shader.h"
#include "framework/log/log.h"
#include "framework/window/main_window.h"

namespace vesk::app {

namespace {

GAME_CFrameworkManager* g_manager = nullptr;

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
    if (g_manager) utility::script::SetAnimationRegistry(&g_manager->animationRegistry);

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
    SetupCamera();
    if (g_manager) g_manager->clearColor = 0xFF000000u;
}

void SetupCamera()
{
    if (!g_manager) return;
    const CanvasView& view = GetCanvasView(0);
    const float aspect = view.clientHeight > 0.0f ? view.clientWidth / view.clientHeight : 1.0f;
    g_manager->camera.SetPerspective(kCameraFieldOfView, aspect, kCameraNear, kCameraFar);
}

void BeginFrameDraw()
{
    if (g_manager) g_manager->currentViewIndex = 0;
    graphics::BindOffscreenTarget();
    graphics::SetRasterizerState(2, true);
    graphics::SetDepthStencilState(7, true);
    graphics::ApplyBlendMode(4);
    // Point filtering, the address modes kept.
    graphics::SetSamplerState(graphics::GetSamplerKey() & ~0xFFu, true);
    graphics::BeginCanvasPass();
}

void EndFrameDraw()
{
    graphics::PresentFrame();
}

void ReleaseFrameworkManager()
{
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
