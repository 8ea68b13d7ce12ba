// The process-wide MT19937 generator, seeded from the clock on first use.
#include "framework/math/random.h"

#include <atomic>
#include <cmath>
#include <mutex>

#include "platform/clock.h"

namespace vesk::math {

namespace {

constexpr int kStateSize = 624;
constexpr int kShift = 397;
constexpr std::uint32_t kMatrixA = 0x9908B0DFu;
constexpr std::uint32_t kUpperMask = 0x80000000u;
constexpr std::uint32_t kLowerMask = 0x7FFFFFFFu;
constexpr std::uint32_t kDefaultSeed = 5489u;

struct Generator {
    std::uint32_t state[kStateSize] = {};
    int wordsLeft = 0;  // draws left before the state is regenerated
    int next = 0;       // index of the next word to temper
    bool initialised = false;
};

Generator g_generator;
std::atomic<bool> g_clockSeeded{false};
// The loading jobs draw while the main thread runs its frames: one draw at a time, or two could
// read past the state's end.
std::mutex g_generatorMutex;

void Seed(Generator& generator, std::uint32_t seed)
{
    std::uint32_t* state = generator.state;
    state[0] = seed;
    for (int i = 1; i < kStateSize; ++i) {
        state[i] = 1812433253u * (state[i - 1] ^ (state[i - 1] >> 30)) + static_cast<std::uint32_t>(i);
    }
    // The next draw regenerates the whole state.
    generator.wordsLeft = 1;
    generator.initialised = true;
}

void Regenerate(Generator& generator)
{
    if (!generator.initialised) Seed(generator, kDefaultSeed);
    std::uint32_t* state = generator.state;
    for (int i = 0; i < kStateSize; ++i) {
        const std::uint32_t y = (state[i] & kUpperMask) | (state[(i + 1) % kStateSize] & kLowerMask);
        state[i] = state[(i + kShift) % kStateSize] ^ (y >> 1) ^ ((y & 1u) ? kMatrixA : 0u);
    }
    generator.wordsLeft = kStateSize;
    generator.next = 0;
}

std::uint32_t NextWord(Generator& generator)
{
    const std::lock_guard lock(g_generatorMutex);
    if (--generator.wordsLeft <= 0) Regenerate(generator);
    std::uint32_t y = generator.state[generator.next++];
    y ^= y >> 11;
    y ^= (y << 7) & 0x9D2C5680u;
    y ^= (y << 15) & 0xEFC60000u;
    y ^= y >> 18;
    return y;
}

// Seeds from the clock the first time any clock-seeding draw runs.
void SeedFromClockOnce()
{
    if (g_clockSeeded.exchange(true)) return;
    const std::int64_t nanoseconds =
        platform::CounterToNanoseconds(platform::ReadCounter(), platform::CounterFrequency());
    SeedRandom(static_cast<std::uint32_t>(nanoseconds));
}

}  // namespace

bool SeedRandom(std::uint32_t seed)
{
    const std::lock_guard lock(g_generatorMutex);
    Seed(g_generator, seed);
    return true;
}

void MarkRandomClockSeeded()
{
    g_clockSeeded = true;
}

int Rand()
{
    SeedFromClockOnce();
    return static_cast<int>(NextWord(g_generator) & 0x7FFFu);
}

int RandInt(int n)
{
    SeedFromClockOnce();
    if (n == 0) return 0;
    return Rand() % n;
}

double RandDouble()
{
    return static_cast<double>(NextWord(g_generator)) * (1.0 / 4294967296.0);
}

float RandFloat(float max)
{
    SeedFromClockOnce();
    return ScaleUnitToFloat(RandDouble(), max);
}

float ScaleUnitToFloat(double unit, float max)
{
    const float value = static_cast<float>(unit) * max;
    if (value == max && max != 0.0f) return std::nextafter(max, 0.0f);
    return value;
}

}  // namespace vesk::math
