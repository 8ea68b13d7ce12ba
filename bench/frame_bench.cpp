// Frames of the real main loop, unpaced and headless, and the frame's fixed work at three window sizes.
// The time per frame of the game's loop, and the frame's fixed work (clears
// and presentation with nothing drawn) with and without the last step, the
// renderer's scaling of the frame to the window: a GPU's work where there is
// one, the CPU's on this headless machine.
#include <benchmark/benchmark.h>

#include "bench/headless_run_folder.h"
#include "framework/app/application.h"
#include "framework/graphics/device_record.h"
#include "game/app/game_app.h"

namespace {

// The game, unpaced, with the window at the size asked for; one benchmark
// iteration is one frame of the loop.
class TimedGame final : public vesk::app::Game {
public:
    TimedGame(benchmark::State& state, int width, int height, bool shown)
        : state_(state), width_(width), height_(height), shown_(shown)
    {
    }

    void GameStartup() override
    {
        vesk::graphics::DeviceRecord* record = vesk::graphics::GetDeviceRecord();
        if (!record || !record->presenter.IsReady()) return;
        record->presenter.SetPaced(false);
        if (width_ > 0) vesk::graphics::PlaceWindowOnMonitor(width_, height_, false);
        if (!shown_) record->presenter.Destroy();
        started_ = true;
        game_.GameStartup();
    }

    int GameFrame() override { return started_ && state_.KeepRunning() ? game_.GameFrame() : 1; }

    void GameShutdown() override
    {
        if (started_) game_.GameShutdown();
    }

    bool Started() const { return started_; }

private:
    benchmark::State& state_;
    int width_;  // 0: the size the device starts the window at
    int height_;
    bool shown_;  // false: the frame goes no further than the back buffer
    bool started_ = false;
    varnolis::GameApplication game_;
};

// The application, headless, in a scratch folder (it makes its save folder
// there), reading the data set the build made.
void RunLoop(benchmark::State& state, int width, int height, bool shown)
{
    const bench_support::HeadlessRunFolder folder;
    TimedGame game(state, width, height, shown);
    vesk::app::RunApplication(u"", game);
    if (!game.Started()) state.SkipWithError("the application did not come up with a window");
}

// The game's loop as it stands: 600 frames should take well under a second.
void BM_MainLoopFrame(benchmark::State& state) { RunLoop(state, 0, 0, true); }
BENCHMARK(BM_MainLoopFrame)->Iterations(600)->Unit(benchmark::kMillisecond);

// Nothing drawn: what every frame costs the CPU whatever the game draws, by
// window size; up to the back buffer, and shown in the window as well.
void BM_FrameFixedWork(benchmark::State& state)
{
    RunLoop(state, static_cast<int>(state.range(0)), static_cast<int>(state.range(1)), state.range(2) != 0);
}
BENCHMARK(BM_FrameFixedWork)
    ->ArgsProduct({{1280}, {720}, {0, 1}})
    ->ArgsProduct({{1920}, {1080}, {0, 1}})
    ->ArgsProduct({{3840}, {2160}, {0, 1}})
    ->ArgNames({"width", "height", "shown"})
    ->Unit(benchmark::kMillisecond);

}  // namespace
