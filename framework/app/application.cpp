#include "framework/app/application.h"

#include "platform/window.h"

namespace vesk::app {

namespace {
platform::Window* g_window = nullptr;
bool g_quitting = false;
}  // namespace

int RunApplication(const std::u16string& commandLine, const GameCallbacks& game)
{
    (void)commandLine;
    if (!platform::InitVideo()) return 1;

    platform::Window window;
    g_window = &window;
    window.Create(u"VARNOLIS", 1280, 720);
    window.Show();

    if (game.startup) game.startup();
    int quit = 0;
    while (quit == 0) {
        if (window.PeekEvent()) {
            platform::WindowEvent event;
            if (window.NextEvent(event) && event.type == platform::WindowEventType::Close) g_quitting = true;
            if (g_quitting) quit = 1;
            continue;
        }
        if (window.IsMinimized()) continue;
        quit = game.frame ? game.frame() : 1;
    }
    if (game.shutdown) game.shutdown();

    g_window = nullptr;
    window.Destroy();
    platform::ShutdownVideo();
    return 0;
}

}  // namespace vesk::app
