// One process-wide MT19937 generator for all game randomness.
// The first call to Rand, RandInt or RandFloat seeds it once from the
// high-resolution clock; a SeedRandom made before that call is replaced by the
// clock seed then. Draws and seeding are guarded by a mutex, so a loading job may
// draw without harm to the state; its draws do interleave with the main thread's,
// so a seeded sequence repeats only while one thread draws.
#pragma once

#include <cstdint>

namespace vesk::math {

// Restarts the sequence from the seed. Always true.
bool SeedRandom(std::uint32_t seed);

// Counts the generator as clock-seeded, so that a seed given before the first
// draw is kept instead of being replaced by the clock seed.
void MarkRandomClockSeeded();

// 0..32767.
int Rand();

// Rand() modulo n; 0 without drawing when n is 0.
int RandInt(int n);

// [0, 1). Does not seed from the clock.
double RandDouble();

// [0, max) (or (max, 0] for a negative max).
float RandFloat(float max);

// Scales a unit value in [0, 1) to [0, max). Rounding the unit value to float
// can give exactly 1, which would return max itself; the result then steps to
// the nearest float towards zero so the range stays half-open.
float ScaleUnitToFloat(double unit, float max);

}  // namespace vesk::math
