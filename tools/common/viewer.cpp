// The viewers' window side: the framework session they start, their options and their frame loop.
#include "tools/common/viewer.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "framework/app/framework_manager.h"
#include "framework/app/framework_session.h"
#include "framework/file/resource_file.h"
#include "framework/input/input_manager.h"
#include "framework/process/quitting.h"
#include "framework/text/utf.h"
#include "framework/window/main_window.h"
#include "framework/window/message_pump.h"

// The display libraries a real window loads keep allocations to the end of
// the process; in a sanitizer build the leak report would only list theirs.
// Every viewer links this file for OpenViewer, so the setting reaches each of
// them and no other program.
extern "C" const char* __asan_default_options() { return "detect_leaks=0"; }

namespace tools {

namespace {

// Everything the game starts but the save folder and the storefront: a viewer
// neither saves nor earns achievements.
constexpr vesk::app::FrameworkSystems kViewerSystems =
    vesk::app::kAllFrameworkSystems & ~(static_cast<vesk::app::FrameworkSystems>(vesk::app::FrameworkSystem::SaveFolder) |
                                        static_cast<vesk::app::FrameworkSystems>(vesk::app::FrameworkSystem::Storefront));

std::optional<vesk::app::FrameworkSession> g_session;

}  // namespace

ViewerOptions DefaultViewerOptions(std::string_view title)
{
    return ViewerOptions{std::string(title), std::string(vesk::file::kResourceFolder), -1};
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
    g_session.emplace(kViewerSystems);
    if (!g_session->Start()) {
        g_session.reset();
        std::fprintf(stderr, "error: cannot open a window\n");
        return false;
    }
    // The framework titles the window for the game.
    vesk::window::SetMainWindowTitle(vesk::text::Utf8ToUtf16(options.title));
    return true;
}

void CloseViewer()
{
    g_session.reset();
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
        vesk::input::UpdateInput();
        if (update) {
            update(frame);
        }
        vesk::app::BeginFrameDraw();
        draw();
        vesk::app::EndFrameDraw();
        ++frame;
        if (vesk::process::IsQuitting()) {
            break;
        }
    }
}

}  // namespace tools
