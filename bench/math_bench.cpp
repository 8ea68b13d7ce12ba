// Matrix products and random draws.
#include <benchmark/benchmark.h>

#include "framework/math/matrix.h"
#include "framework/math/random.h"

namespace {

void BM_MultiplyMatrix(benchmark::State& state)
{
    vesk::math::Mat4 a{{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}};
    const vesk::math::Mat4 b{{0.5f, 0, 0, 0, 0, 0.5f, 0, 0, 0, 0, 0.5f, 0, 1, 2, 3, 1}};
    for (auto _ : state) {
        benchmark::DoNotOptimize(a = vesk::math::MultiplyMatrix(a, b));
    }
}
BENCHMARK(BM_MultiplyMatrix);

void BM_Rand(benchmark::State& state)
{
    vesk::math::SeedRandom(5489);
    for (auto _ : state) benchmark::DoNotOptimize(vesk::math::Rand());
}
BENCHMARK(BM_Rand);

}  // namespace
