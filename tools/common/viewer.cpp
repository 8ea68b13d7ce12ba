#include "tools/common/viewer.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "framework/app/canvas.h"
#include "framework/app/framework_manager.h"
#include "framework/app/quitting.h"
#include "framework/file/resource_file.h"
#include "framework/graphics/render_states.h"
#include "framework/graphics/shader.h"
#include "framework/memory/heaps.h"
#include "framework/window/message_pump.h"

// The display libraries a real window loads keep allocations to the end of
// the process; in a sanitizer build the leak report would only list theirs.
// Every viewer links this file for OpenViewer, so the setting reaches each of
// them and no other program.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }

namespace tools {

ViewerOptions DefaultViewerOptions()
{
    return ViewerOptions{std::string(vesk::file::kResourceFolder), -1};
}

bool ParseViewerOption(int argc, char** argv, int& i, ViewerOptions& options)
{
    const std::string_view arg = argv[i];
    if (i + 1 >= argc) {
        return false;
    }
    if (arg == "--resources") {
        options.resources = argv[++i];
        return true;
    }
    if (arg == "--frames") {
        options.frames = std::max(1L, std::atol(argv[++i]));
        return true;
    }
    return false;
}

bool OpenViewer(const ViewerOptions& options)
{
    vesk::file::SetResourceFolder(options.resources);
    vesk::memory::CreateHeaps();
    vesk::app::SetupCanvas();
    if (!vesk::app::CreateFrameworkManager()) {
        std::fprintf(stderr, "error: cannot open a window\n");
        return false;
    }
    vesk::app::SetupRenderResources();
    return true;
}

void CloseViewer()
{
    if (vesk::app::GAME_CFrameworkManager* manager = vesk::app::GetFrameworkManager()) {
        manager->spriteRegistry.ReleaseAll();
    }
    vesk::graphics::ReleaseShaderManager();
    vesk::graphics::ReleaseRenderStates();
    vesk::app::ReleaseFrameworkManager();
    vesk::app::ReleaseDeviceAndWindow();
    vesk::memory::ReleaseHeaps();
}

void RunViewerFrames(const ViewerOptions& options, const std::function<void(long frame)>& update,
                     const std::function<void()>& draw)
{
    int quit = 0;
    for (long frame = 0; quit == 0 && frame != options.frames;) {
        int exitCode = 0;
        if (vesk::window::PumpMessages(&quit, &exitCode) != 0) {
            continue;
        }
        if (update) {
            update(frame);
        }
        vesk::app::BeginFrameDraw();
        draw();
        vesk::app::EndFrameDraw();
        ++frame;
        if (vesk::app::IsQuitting()) {
            break;
        }
    }
}

}  // namespace tools
