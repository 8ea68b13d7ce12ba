// Random draws of the route layer: 64-bit numbers made of 15-bit draws, and picks by weight.
#pragma once

#include <cstdint>
#include <span>

// ((r1 << 16 | r2) << 32) | (r3 << 16 | r4) from four draws of the game's generator, in that order.
std::uint64_t DrawRouteRandom64();

// One entry of a weighted list.
struct WeightedValue {
    std::int32_t value = -1;
    std::int32_t weight = 0;
};

// The index drawn by weight: a 64-bit draw modulo the sum of the weights (summed in 64 bits), then
// the entries walked, subtracting each weight until the number is below an entry's weight. -1, and
// no draw, when the list is empty or the sum is not above 0. Negative weights count as they stand
// in the sum but are never the entry drawn.
std::int64_t PickWeightedIndex(std::span<const WeightedValue> entries);
