// The game's start-up with the data set, from the game's start to the push of the main-game scene.
// The two logos are left out.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "bench/headless_run_folder.h"
#include "framework/app/framework_session.h"
#include "framework/graphics/device_record.h"
#include "framework/log/log.h"
#include "game/app/game_app.h"
#include "game/app/scene/scene_initialize.h"
#include "game/app/scene/scene_stack.h"

namespace {

int StartupState()
{
    const GAME_CSceneStack* stack = PeekSceneStack();
    if (stack == nullptr) return -1;
    for (const GAME_CSceneBase* scene : stack->scenes) {
        if (scene->GetSceneId() == kSceneInitialize) return static_cast<const GAME_CSceneInitialize*>(scene)->GetState();
    }
    return -1;
}

bool MainGamePushed() { return IsSceneOnStack(kSceneGameMain); }

void BM_StartupToMainGame(benchmark::State& state)
{
    const bench_support::HeadlessRunFolder folder;
    vesk::log::SetSink([](vesk::log::Level, std::string_view) {});
    constexpr int kMaxFrames = 2000;
    for (auto _ : state) {
        varnolis::GameApplication game;
        vesk::app::FrameworkSession session(vesk::app::kAllFrameworkSystems | vesk::app::FrameworkSystem::Game, u"",
                                            &game);
        if (!session.Start()) {
            state.SkipWithError("the game did not come up");
            break;
        }
        // The frames' pace is the display's, not the start-up's work.
        if (vesk::graphics::DeviceRecord* record = vesk::graphics::GetDeviceRecord()) record->presenter.SetPaced(false);
        int frames = 0;
        while (StartupState() != GAME_CSceneInitialize::kCompanyLogo && frames++ < kMaxFrames) game.GameFrame();
        state.PauseTiming();
        while (StartupState() != GAME_CSceneInitialize::kStartGame && frames++ < kMaxFrames) game.GameFrame();
        state.ResumeTiming();
        while (!MainGamePushed() && frames++ < kMaxFrames) game.GameFrame();
        state.PauseTiming();
        if (!MainGamePushed()) state.SkipWithError("the main game never started");
        session.Stop();
        std::filesystem::remove_all(folder.path() / "SaveWin");
        state.ResumeTiming();
    }
    vesk::log::SetSink({});
}
BENCHMARK(BM_StartupToMainGame)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
