#include "framework/app/application.h"

#include <locale>
#include <stdexcept>

#include "framework/achievement/storefront_session.h"
#include "framework/app/canvas.h"
#include "framework/app/command_line.h"
#include "framework/app/crash_handler.h"
#include "framework/app/framework_manager.h"
#include "framework/app/quitting.h"
#include "framework/app/script_services.h"
#include "framework/file/save_file.h"
#include "framework/graphics/render_states.h"
#include "framework/graphics/shader.h"
#include "framework/input/input_manager.h"
#include "framework/log/log.h"
#include "framework/memory/heaps.h"
#include "framework/sound/sound_manager.h"
#include "framework/utility/layout/layout_manager.h"
#include "framework/utility/particle/particle_manager.h"
#include "framework/window/message_pump.h"
#include "platform/file_system.h"

namespace vesk::app {

namespace {

std::u16string g_commandLine;

void UseUserLocale()
{
    try {
        std::locale::global(std::locale(""));
    } catch (const std::runtime_error&) {
        // An environment naming a locale the system lacks: keep the classic one.
        log::Warning("the user's locale is not available; using the default locale");
    }
}

void MakeSaveFolder()
{
    platform::CreateFolder(kSaveFolder);  // a failure shows when the game saves
    file::ClaimSaveFolder();              // a second running copy says here that it cannot save
}

void StartStorefront() { achievement::StartStorefront(kSaveFolder); }
void StopStorefront() { achievement::StopStorefront(); }
void RunStorefrontCallbacks() { achievement::RunStorefrontCallbacks(); }
void SetInputOptions() { input::SetInputOptions(input::kDefaultInputOptions); }  // the mouse drives pad 0's touch point
void CreateInput() { input::CreateInput(); }
void ReleaseInput() { input::ReleaseInput(); }
void CreateSound() { sound::InitSoundManager(); }  // without a device the game runs silent
void ReleaseSound() { sound::ReleaseSoundManager(); }
void CreateLayoutManager() { layout::CreateLayoutManager(); }  // without it no layout is shown
void ReleaseLayoutManager() { layout::ReleaseLayoutManager(); }

// Without the runtime every effect command spawns nothing.
void CreateParticleRuntime()
{
    utility::particle::CreateParticleManager();
    InstallScriptServices();
}
void ReleaseParticleRuntime()
{
    RemoveScriptServices();
    utility::particle::ReleaseParticleManager();
}
void ReleaseShaders() { graphics::ReleaseShaderManager(); }
void ReleaseRenderStates() { graphics::ReleaseRenderStates(); }

void RunMainLoop(const GameCallbacks& game)
{
    int quit = 0;
    while (quit == 0) {
        int exitCode = 0;
        if (window::PumpMessages(&quit, &exitCode) == 0) {
            RunStorefrontCallbacks();
            quit = game.frame ? game.frame() : 1;
        }
    }
}

void ShutDown(const GameCallbacks& game, bool gameStarted)
{
    if (gameStarted && game.shutdown) game.shutdown();
    ReleaseParticleRuntime();
    ReleaseLayoutManager();
    StopStorefront();
    ReleaseSound();
    ReleaseInput();
    ReleaseShaders();
    ReleaseRenderStates();
    ReleaseFrameworkManager();
    ReleaseDeviceAndWindow();
    memory::ReleaseHeaps();
    RemoveCrashHandler();
}

}  // namespace

const std::u16string& GetCommandLine()
{
    return g_commandLine;
}

int RunApplication(const std::u16string& commandLine, const GameCallbacks& game)
{
    ClearQuitting();
    UseUserLocale();
    InstallCrashHandler();
    StartStorefront();
    memory::CreateHeaps();  // without them everything runs on the general allocator
    ScanCommandLine(commandLine);  // the screen sizes it reads are not applied
    SetupCanvas();
    SetInputOptions();
    MakeSaveFolder();
    g_commandLine = commandLine;

    if (!CreateFrameworkManager()) {
        // Without a window the player could never end the program.
        log::Error("cannot create the game window");
        ShutDown(game, false);
        return 1;
    }
    memory::CreateParticleHeap();
    SetupRenderResources();
    CreateInput();
    CreateSound();
    CreateLayoutManager();
    CreateParticleRuntime();
    if (game.startup) game.startup();

    RunMainLoop(game);

    ShutDown(game, true);
    return 0;
}

}  // namespace vesk::app
