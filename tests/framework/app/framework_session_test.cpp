// The framework session: the systems asked for come up in the start-up order and go in the shut-down order.
#include <gtest/gtest.h>

#include <vector>

#include "framework/app/framework_manager.h"
#include "framework/app/framework_session.h"
#include "framework/graphics/device_record.h"
#include "framework/input/input_manager.h"
#include "framework/memory/heaps.h"
#include "framework/utility/layout/layout_manager.h"
#include "framework/utility/particle/particle_manager.h"
#include "tests/support/scratch_folder.h"

namespace vesk::app {
namespace {

// What the game finds of the framework when it is started and when it is stopped.
struct FrameworkSeen {
    bool manager = false;
    bool device = false;
    bool heaps = false;
    bool input = false;
    bool layout = false;
    bool particles = false;

    static FrameworkSeen Now()
    {
        return {GetFrameworkManager() != nullptr,      graphics::GetDeviceRecord() != nullptr,
                memory::ParticleHeap() != nullptr,     input::GetPadInput(0) != nullptr,
                layout::GetLayoutManager() != nullptr, utility::particle::GetParticleManager() != nullptr};
    }
    bool All() const { return manager && device && heaps && input && layout && particles; }
};

class WatchingGame final : public Game {
public:
    void GameStartup() override { atStartup = FrameworkSeen::Now(); }
    int GameFrame() override { return 1; }
    void GameShutdown() override { atShutdown = FrameworkSeen::Now(); }

    FrameworkSeen atStartup;
    FrameworkSeen atShutdown;
};

TEST(FrameworkSession, BringsEverythingUpInTheStartUpOrderAndDownInTheShutDownOrder)
{
    support::ScratchFolder scratch;  // the save folder is made in the current one
    WatchingGame game;
    FrameworkSession session(kAllFrameworkSystems | FrameworkSystem::Game, u"-scr_w 800", &game);
    ASSERT_TRUE(session.Start());

    const std::vector<StartupStep> startup = {
        StartupStep::UserLocale,      StartupStep::CrashHandler,    StartupStep::Storefront,
        StartupStep::Heaps,           StartupStep::ScanCommandLine, StartupStep::Canvas,
        StartupStep::InputOptions,    StartupStep::SaveFolder,      StartupStep::KeepCommandLine,
        StartupStep::FrameworkManager, StartupStep::ParticleHeap,   StartupStep::RenderResources,
        StartupStep::Input,           StartupStep::Sound,           StartupStep::Layout,
        StartupStep::ParticleRuntime, StartupStep::GameStartup,
    };
    EXPECT_EQ(session.StartupSteps(), startup);
    EXPECT_TRUE(game.atStartup.All()) << "the game starts last, on a framework that is up";
    EXPECT_EQ(GetCommandLine(), u"-scr_w 800");

    session.Stop();
    const std::vector<ShutdownStep> shutdown = {
        ShutdownStep::GameShutdown, ShutdownStep::ParticleRuntime, ShutdownStep::Layout,
        ShutdownStep::Storefront,   ShutdownStep::Sound,           ShutdownStep::Input,
        ShutdownStep::Shaders,      ShutdownStep::RenderStates,    ShutdownStep::FrameworkManager,
        ShutdownStep::DeviceAndWindow, ShutdownStep::Heaps,        ShutdownStep::CrashHandler,
    };
    EXPECT_EQ(session.ShutdownSteps(), shutdown);
    EXPECT_TRUE(game.atShutdown.All()) << "the game stops first, on a framework that is still up";
    EXPECT_FALSE(FrameworkSeen::Now().manager);
    EXPECT_FALSE(FrameworkSeen::Now().heaps);
    EXPECT_FALSE(FrameworkSeen::Now().particles);

    session.Stop();
    EXPECT_EQ(session.ShutdownSteps().size(), shutdown.size()) << "a second stop takes nothing down";
}

TEST(FrameworkSession, TakesOnlyTheStepsOfTheSystemsAskedForAndStopsOnDestruction)
{
    {
        FrameworkSession session(FrameworkSystem::Canvas | FrameworkSystem::FrameworkManager |
                                 FrameworkSystem::RenderResources | FrameworkSystem::Input);
        ASSERT_TRUE(session.Start());
        EXPECT_EQ(session.StartupSteps(),
                  (std::vector<StartupStep>{StartupStep::Canvas, StartupStep::InputOptions,
                                            StartupStep::FrameworkManager, StartupStep::RenderResources,
                                            StartupStep::Input}));
        EXPECT_NE(GetFrameworkManager(), nullptr);
        EXPECT_EQ(memory::MainHeap(), nullptr) << "no heaps were asked for";
    }
    EXPECT_EQ(GetFrameworkManager(), nullptr);
    EXPECT_EQ(graphics::GetDeviceRecord(), nullptr);
    EXPECT_EQ(input::GetPadInput(0), nullptr);
}

}  // namespace
}  // namespace vesk::app
