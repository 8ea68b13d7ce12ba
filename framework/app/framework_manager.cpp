#include "framework/app/framework_manager.h"

#include "framework/app/window_title.h"
#include "framework/window/main_window.h"

namespace vesk::app {

namespace {

GAME_CFrameworkManager* g_manager = nullptr;

// The client size the window gets once the device exists.
constexpr int kStartClientWidth = 1280;
constexpr int kStartClientHeight = 720;

bool CreateDeviceAndWindow(std::u16string_view title)
{
    if (!window::CreateMainWindow(title)) return false;
    // The graphics device, its swap chain and render targets are created here, and the
    // device then places the window on its monitor.
    window::SetWindowedClientSize(kStartClientWidth, kStartClientHeight);
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

    const int language = ReadPlatformLanguage();
    const bool created = CreateDeviceAndWindow(WindowTitleForPlatformLanguage(language));
    // The render-state objects are built here (render-state cache).
    return created;
}

void SetupRenderResources()
{
    // The shader set, the polygon renderers' state, the sprite-group registry and the
    // camera are set up here.
    if (g_manager) g_manager->clearColor = 0xFF000000u;
}

void BeginFrameDraw()
{
    if (g_manager) g_manager->currentViewIndex = 0;
    // The off-screen canvas target is bound and cleared here, and the frame's
    // rasterizer, depth, blend and sampler states are set (graphics device).
}

void ReleaseFrameworkManager()
{
    delete g_manager;
    g_manager = nullptr;
}

void ReleaseDeviceAndWindow()
{
    // The device's objects are released here, before the window.
    window::ReleaseMainWindow();
}

}  // namespace vesk::app
