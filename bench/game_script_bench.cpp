// The start-up's script loads with the data set (aim: under 20 ms together).
// The static database, then the room, actor, route and enemy packages with
// their registration labels.
#include <benchmark/benchmark.h>

#include <string_view>

#include "bench/bench_paths.h"
#include "framework/file/resource_file.h"
#include "framework/log/log.h"
#include "game/model/script/script_package.h"
#include "game/services/data/setting_script.h"
#include "game/services/data/static_database.h"

namespace {

void BM_LoadGameScripts(benchmark::State& state)
{
    vesk::file::SetResourceFolder(bench_support::BuiltResourceFolder());
    // The route package comes with the travel layer; its absence is logged each round.
    vesk::log::SetSink([](vesk::log::Level, std::string_view) {});
    for (auto _ : state) {
        CreateStaticDatabase();
        if (!RunStaticDatabaseScript(*GetStaticDatabase())) {
            state.SkipWithError("the data set is not built");
            break;
        }
        for (int kind = 0; kind < kScriptPackageKindCount; ++kind) {
            LoadScriptPackage(kind);
        }
        benchmark::DoNotOptimize(GetStaticDatabase()->Rooms().size());
    }
    vesk::log::SetSink({});
    DestroyScriptPackageHolder();
    DestroyStaticDatabase();
    vesk::file::SetResourceFolder(vesk::file::kResourceFolder);
}
BENCHMARK(BM_LoadGameScripts)->Unit(benchmark::kMillisecond);

}  // namespace
