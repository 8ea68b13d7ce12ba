// The random numbers of the enemy commands: whole numbers in a range and floats between two bounds.
#pragma once

#include <cstdint>

namespace enemy_commands {

// 30 random bits from two draws of 15.
std::int64_t Random30();
// From the smaller to the larger of a and b, both included.
std::int64_t RandomInclusive(std::int32_t a, std::int32_t b);
// From the smaller to the larger of a and b, the larger left out; the bound itself when they are equal.
std::int64_t RandomBelowLarger(std::int32_t a, std::int32_t b);
// lower + (upper - lower) x f, f in [0, 1) from 22 random bits.
float RandomBetween(float lower, float upper);

}  // namespace enemy_commands
