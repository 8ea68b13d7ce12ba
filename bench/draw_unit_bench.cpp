// Sweeping a long line of dead draw units, each a child of the one before, as an effect script that
// parents every new unit to the last one leaves them.
#include <memory>
#include <vector>

#include <benchmark/benchmark.h>

#include "framework/utility/draw_unit/object2_base.h"

namespace {

using vesk::utility::draw_unit::UTL_CObject2Base;

class LineUnit final : public UTL_CObject2Base {
public:
    void Draw(bool) override {}
};

// The line's head is killed, then a removal sweep kills the children of each dead unit in turn,
// as the script engine's does before it pools them.
void BM_SweepDeadLine(benchmark::State& state)
{
    const auto length = static_cast<std::size_t>(state.range(0));
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<std::unique_ptr<LineUnit>> line;
        line.reserve(length);
        for (std::size_t i = 0; i < length; ++i) {
            line.push_back(std::make_unique<LineUnit>());
            if (i > 0) line.back()->SetParent(line[i - 1].get());
        }
        state.ResumeTiming();
        line.front()->Kill();
        for (const auto& unit : line) {
            for (UTL_CObject2Base* child : unit->GetChildren()) child->Kill();
        }
        benchmark::DoNotOptimize(line.back()->IsDead());
        state.PauseTiming();
        line.clear();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_SweepDeadLine)->Arg(256)->Arg(4096)->Unit(benchmark::kMicrosecond);

}  // namespace
