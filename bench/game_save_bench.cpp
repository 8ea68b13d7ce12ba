// A slot save: the image built from the running game, and the whole save with its write to disk.
#include <benchmark/benchmark.h>
#include "framework/file/save_file.h"
#include "framework/log/log.h"
#include "game/services/player/player_data.h"
#include "game/services/save/save_image.h"
#include "game/services/save/save_manager.h"
#include "tests/support/scratch_folder.h"

namespace {

// The game model a save reads, in a scratch folder of its own.
class SaveScene {
public:
    SaveScene()
    {
        vesk::log::SetSink([](vesk::log::Level, std::string_view) {});
        vesk::file::CreateSaveFolder();
        CreatePlayerData();
        ResetSaveAreas();
        InitAllSaveData();
    }
    ~SaveScene()
    {
        DestroySaveManager();
        DestroyPlayerData();
        vesk::log::SetSink({});
    }

private:
    support::ScratchFolder folder_;
};

void BM_SlotSaveBuildImage(benchmark::State& state)
{
    SaveScene scene;
    for (auto _ : state) {
        BuildSlotImage(3);
        WriteSaveHeader(GetSaveAreas().image);
        benchmark::DoNotOptimize(GetSaveAreas().image.data());
    }
}
BENCHMARK(BM_SlotSaveBuildImage)->Unit(benchmark::kMillisecond);

// Request to file on disk, the flush included.
void BM_SlotSaveWritten(benchmark::State& state)
{
    SaveScene scene;
    GAME_CSaveManager* saves = GetSaveManager();
    for (auto _ : state) {
        if (!saves->RequestSaveSlot(3)) {
            state.SkipWithError("the save did not start");
            break;
        }
        while (!saves->IsIdle()) saves->Step();
        if (saves->lastResult != GAME_CSaveManager::kOk) {
            state.SkipWithError("the save failed");
            break;
        }
    }
}
BENCHMARK(BM_SlotSaveWritten)->Unit(benchmark::kMillisecond);

}  // namespace
