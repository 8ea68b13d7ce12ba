// The start-up and shut-down orders of the framework, and the session that walks them.
#include "framework/app/framework_session.h"

#include <locale>
#include <stdexcept>
#include <string>
#include <utility>

#include "framework/achievement/storefront_session.h"
#include "framework/app/command_line.h"
#include "framework/app/crash_handler.h"
#include "framework/app/framework_manager.h"
#include "framework/file/save_file.h"
#include "framework/graphics/render_states.h"
#include "framework/graphics/shader.h"
#include "framework/input/input_manager.h"
#include "framework/log/log.h"
#include "framework/memory/heaps.h"
#include "framework/process/canvas.h"
#include "framework/process/quitting.h"
#include "framework/sound/sound_manager.h"
#include "framework/utility/layout/layout_manager.h"
#include "framework/utility/particle/particle_manager.h"

namespace vesk::app {

namespace {

std::u16string g_commandLine;

template <typename Step>
struct OrderedStep {
    Step step;
    FrameworkSystem system;  // the system the step belongs to
};

// Each step runs after the one before has returned.
constexpr OrderedStep<StartupStep> kStartupOrder[] = {
    {StartupStep::UserLocale, FrameworkSystem::Locale},
    {StartupStep::CrashHandler, FrameworkSystem::CrashHandler},
    {StartupStep::Storefront, FrameworkSystem::Storefront},
    {StartupStep::Heaps, FrameworkSystem::Heaps},
    {StartupStep::ScanCommandLine, FrameworkSystem::CommandLine},
    {StartupStep::Canvas, FrameworkSystem::Canvas},
    {StartupStep::InputOptions, FrameworkSystem::Input},
    {StartupStep::SaveFolder, FrameworkSystem::SaveFolder},
    {StartupStep::KeepCommandLine, FrameworkSystem::CommandLine},
    {StartupStep::FrameworkManager, FrameworkSystem::FrameworkManager},
    {StartupStep::ParticleHeap, FrameworkSystem::Heaps},
    {StartupStep::RenderResources, FrameworkSystem::RenderResources},
    {StartupStep::Input, FrameworkSystem::Input},
    {StartupStep::Sound, FrameworkSystem::Sound},
    {StartupStep::Layout, FrameworkSystem::Layout},
    {StartupStep::ParticleRuntime, FrameworkSystem::ParticleRuntime},
    {StartupStep::GameStartup, FrameworkSystem::Game},
};

// Not the start-up order reversed: the storefront goes between the layout and sound.
constexpr OrderedStep<ShutdownStep> kShutdownOrder[] = {
    {ShutdownStep::GameShutdown, FrameworkSystem::Game},
    {ShutdownStep::ParticleRuntime, FrameworkSystem::ParticleRuntime},
    {ShutdownStep::Layout, FrameworkSystem::Layout},
    {ShutdownStep::Storefront, FrameworkSystem::Storefront},
    {ShutdownStep::Sound, FrameworkSystem::Sound},
    {ShutdownStep::Input, FrameworkSystem::Input},
    {ShutdownStep::Shaders, FrameworkSystem::RenderResources},
    {ShutdownStep::RenderStates, FrameworkSystem::FrameworkManager},
    {ShutdownStep::FrameworkManager, FrameworkSystem::FrameworkManager},
    {ShutdownStep::DeviceAndWindow, FrameworkSystem::FrameworkManager},
    {ShutdownStep::Heaps, FrameworkSystem::Heaps},
    {ShutdownStep::CrashHandler, FrameworkSystem::CrashHandler},
};

bool Includes(FrameworkSystems systems, FrameworkSystem system)
{
    return (systems & static_cast<FrameworkSystems>(system)) != 0;
}

void UseUserLocale()
{
    try {
        std::locale::global(std::locale(""));
    } catch (const std::runtime_error&) {
        // An environment naming a locale the system lacks: keep the classic one.
        log::Warning("the user's locale is not available; using the default locale");
    }
}

}  // namespace

FrameworkSession::FrameworkSession(FrameworkSystems systems, std::u16string commandLine, Game* game)
    : asked_(systems), commandLine_(std::move(commandLine)), game_(game)
{
}

FrameworkSession::~FrameworkSession()
{
    Stop();
}

bool FrameworkSession::Start()
{
    process::ClearQuitting();  // a new run starts with the flag down
    for (const auto& [step, system] : kStartupOrder) {
        if (!Includes(asked_, system)) continue;
        started_ |= static_cast<FrameworkSystems>(system);
        startupSteps_.push_back(step);
        if (!RunStartupStep(step)) {
            Stop();
            return false;
        }
    }
    return true;
}

void FrameworkSession::Stop()
{
    for (const auto& [step, system] : kShutdownOrder) {
        if (!Includes(started_, system)) continue;
        shutdownSteps_.push_back(step);
        RunShutdownStep(step);
    }
    started_ = 0;
}

bool FrameworkSession::RunStartupStep(StartupStep step)
{
    switch (step) {
    case StartupStep::UserLocale:
        UseUserLocale();
        break;
    case StartupStep::CrashHandler:
        InstallCrashHandler();
        break;
    case StartupStep::Storefront:
        achievement::StartStorefront(std::string(file::kSaveFolder));
        break;
    case StartupStep::Heaps:
        memory::CreateHeaps();  // without them everything runs on the general allocator
        break;
    case StartupStep::ScanCommandLine:
        ScanCommandLine(commandLine_);  // the screen sizes it reads are not applied
        break;
    case StartupStep::Canvas:
        process::SetupCanvas();
        break;
    case StartupStep::InputOptions:
        input::SetInputOptions(input::kDefaultInputOptions);  // the mouse drives pad 0's touch point
        break;
    case StartupStep::SaveFolder:
        file::CreateSaveFolder();  // a failure shows when the game saves
        file::ClaimSaveFolder();   // a second running copy says here that it cannot save
        break;
    case StartupStep::KeepCommandLine:
        g_commandLine = commandLine_;
        break;
    case StartupStep::FrameworkManager:
        if (!CreateFrameworkManager()) {
            // Without a window the player could never end the program.
            log::Error("cannot create the game window");
            return false;
        }
        break;
    case StartupStep::ParticleHeap:
        memory::CreateParticleHeap();
        break;
    case StartupStep::RenderResources:
        SetupRenderResources();
        break;
    case StartupStep::Input:
        input::CreateInput();
        break;
    case StartupStep::Sound:
        sound::InitSoundManager();  // without a device the game runs silent
        break;
    case StartupStep::Layout:
        layout::CreateLayoutManager();  // without it no layout is shown
        break;
    case StartupStep::ParticleRuntime:
        utility::particle::CreateParticleManager();  // without it every effect command spawns nothing
        break;
    case StartupStep::GameStartup:
        if (game_) game_->GameStartup();
        break;
    }
    return true;
}

void FrameworkSession::RunShutdownStep(ShutdownStep step)
{
    switch (step) {
    case ShutdownStep::GameShutdown:
        if (game_) game_->GameShutdown();
        break;
    case ShutdownStep::ParticleRuntime:
        utility::particle::ReleaseParticleManager();
        break;
    case ShutdownStep::Layout:
        layout::ReleaseLayoutManager();
        break;
    case ShutdownStep::Storefront:
        achievement::StopStorefront();
        break;
    case ShutdownStep::Sound:
        sound::ReleaseSoundManager();
        break;
    case ShutdownStep::Input:
        input::ReleaseInput();
        break;
    case ShutdownStep::Shaders:
        graphics::ReleaseShaderManager();
        break;
    case ShutdownStep::RenderStates:
        graphics::ReleaseRenderStates();
        break;
    case ShutdownStep::FrameworkManager:
        ReleaseFrameworkManager();
        break;
    case ShutdownStep::DeviceAndWindow:
        ReleaseDeviceAndWindow();
        break;
    case ShutdownStep::Heaps:
        memory::ReleaseHeaps();
        break;
    case ShutdownStep::CrashHandler:
        RemoveCrashHandler();
        break;
    }
}

const std::u16string& GetCommandLine()
{
    return g_commandLine;
}

}  // namespace vesk::app
