// The framework's one start-up and shut-down sequence, for the game and every other caller.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "framework/app/game.h"

namespace vesk::app {

// What a caller may ask a session to bring up. A system may take more than one step;
// its steps run at their places in the start-up order and the shut-down order.
enum class FrameworkSystem : std::uint32_t {
    Locale = 1u << 0,        // the user's locale for wide-text conversion
    CrashHandler = 1u << 1,  // the crash report on a fatal signal
    Storefront = 1u << 2,    // the storefront client's session
    Heaps = 1u << 3,         // the arena heaps, the particle heap once the manager exists
    CommandLine = 1u << 4,   // the scan of the command line, then keeping it
    Canvas = 1u << 5,        // the canvas view records and the initial window size
    SaveFolder = 1u << 6,    // the save folder in the current folder
    FrameworkManager = 1u << 7,  // the manager, the window, the device and the render states
    RenderResources = 1u << 8,   // shaders, polygon renderers, the camera and the clear colour
    Input = 1u << 9,         // the input option word, then the input records
    Sound = 1u << 10,
    Layout = 1u << 11,
    ParticleRuntime = 1u << 12,
    Game = 1u << 13,         // the game's own start-up and shut-down
};

using FrameworkSystems = std::uint32_t;

constexpr FrameworkSystems operator|(FrameworkSystem a, FrameworkSystem b)
{
    return static_cast<FrameworkSystems>(a) | static_cast<FrameworkSystems>(b);
}
constexpr FrameworkSystems operator|(FrameworkSystems a, FrameworkSystem b)
{
    return a | static_cast<FrameworkSystems>(b);
}

// Every system of the framework, the game left out.
inline constexpr FrameworkSystems kAllFrameworkSystems = static_cast<FrameworkSystems>(FrameworkSystem::Game) - 1u;

// The start-up steps, in the order they run.
enum class StartupStep : std::uint8_t {
    UserLocale,
    CrashHandler,
    Storefront,
    Heaps,
    ScanCommandLine,
    Canvas,
    InputOptions,
    SaveFolder,
    KeepCommandLine,
    FrameworkManager,
    ParticleHeap,
    RenderResources,
    Input,
    Sound,
    Layout,
    ParticleRuntime,
    GameStartup,
};

// The shut-down steps, in the order they run.
enum class ShutdownStep : std::uint8_t {
    GameShutdown,
    ParticleRuntime,
    Layout,
    Storefront,
    Sound,
    Input,
    Shaders,
    RenderStates,
    FrameworkManager,
    DeviceAndWindow,
    Heaps,
    CrashHandler,
};

// Brings up the systems asked for, in the start-up order, and takes down those it
// brought up, in the shut-down order. The systems are process-wide: one session at a
// time. Stops on destruction.
class FrameworkSession {
public:
    // game is called when the systems include FrameworkSystem::Game; not owned.
    explicit FrameworkSession(FrameworkSystems systems, std::u16string commandLine = {}, Game* game = nullptr);
    ~FrameworkSession();
    FrameworkSession(const FrameworkSession&) = delete;
    FrameworkSession& operator=(const FrameworkSession&) = delete;

    // Runs the start-up steps of the systems asked for. False when the framework
    // manager could not make a window: what had started is stopped again and the
    // game is never started.
    bool Start();
    // Runs the shut-down steps of every system that started; once.
    void Stop();

    // The steps taken so far, in the order they ran.
    const std::vector<StartupStep>& StartupSteps() const { return startupSteps_; }
    const std::vector<ShutdownStep>& ShutdownSteps() const { return shutdownSteps_; }

private:
    bool RunStartupStep(StartupStep step);
    void RunShutdownStep(ShutdownStep step);

    FrameworkSystems asked_;
    FrameworkSystems started_ = 0;
    std::u16string commandLine_;
    Game* game_;
    std::vector<StartupStep> startupSteps_;
    std::vector<ShutdownStep> shutdownSteps_;
};

// The command line the last session kept.
const std::u16string& GetCommandLine();

}  // namespace vesk::app
