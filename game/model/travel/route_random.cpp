// Random draws of the route layer: 64-bit numbers made of 15-bit draws, and picks by weight.
#include "game/model/travel/route_random.h"

#include "framework/math/random.h"

std::uint64_t DrawRouteRandom64()
{
    const std::uint64_t r1 = static_cast<std::uint32_t>(vesk::math::Rand());
    const std::uint64_t r2 = static_cast<std::uint32_t>(vesk::math::Rand());
    const std::uint64_t r3 = static_cast<std::uint32_t>(vesk::math::Rand());
    const std::uint64_t r4 = static_cast<std::uint32_t>(vesk::math::Rand());
    return ((r1 << 16 | r2) << 32) | (r3 << 16 | r4);
}

std::int64_t PickWeightedIndex(std::span<const WeightedValue> entries)
{
    std::int64_t total = 0;
    for (const WeightedValue& entry : entries) total += entry.weight;
    if (entries.empty() || total <= 0) return -1;
    std::int64_t number = static_cast<std::int64_t>(DrawRouteRandom64() % static_cast<std::uint64_t>(total));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (number < entries[i].weight) return static_cast<std::int64_t>(i);
        number -= entries[i].weight;
    }
    return -1;
}
