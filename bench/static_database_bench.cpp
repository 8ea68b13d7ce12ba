// Loading the static database from the data set: the setting script run into a fresh database.
#include <cstdint>
#include <filesystem>
#include <vector>

#include <benchmark/benchmark.h>

#include "bench/bench_paths.h"
#include "framework/log/log.h"
#include "game/services/data/setting_script.h"
#include "game/services/data/static_database.h"
#include "tools/common/whole_file.h"

namespace {

void BM_LoadStaticDatabase(benchmark::State& state)
{
    const std::vector<std::uint8_t> package =
        ::tools::ReadWholeFile(std::filesystem::path(bench_support::BuiltResourceFolder()) / "script/static_database.pac")
            .value_or(std::vector<std::uint8_t>{});
    if (package.empty()) {
        state.SkipWithError("the data set is not built");
        return;
    }
    for (auto _ : state) {
        GAME_CStaticDatabase database;
        GAME_CScriptSetting engine(&database);
        if (!engine.LoadStaticDatabaseScriptFromMemory(package) || !engine.RunRegistration()) {
            state.SkipWithError("the static database did not load");
            return;
        }
        benchmark::DoNotOptimize(database.Tasks().size());
    }
}
BENCHMARK(BM_LoadStaticDatabase)->Unit(benchmark::kMicrosecond);

}  // namespace
