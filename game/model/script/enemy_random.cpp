// Random whole numbers and floats for the enemy commands, from the shared generator.
#include "game/model/script/enemy_random.h"

#include <algorithm>

#include "framework/math/random.h"

namespace enemy_commands {

std::int64_t Random30()
{
    const auto high = static_cast<std::int64_t>(vesk::math::Rand());
    return (high << 15) | vesk::math::Rand();
}

std::int64_t RandomInclusive(std::int32_t a, std::int32_t b)
{
    const std::int64_t low = std::min(a, b);
    const std::int64_t span = std::int64_t{std::max(a, b)} - low + 1;
    return low + Random30() % span;
}

std::int64_t RandomBelowLarger(std::int32_t a, std::int32_t b)
{
    const std::int64_t low = std::min(a, b);
    const std::int64_t span = std::int64_t{std::max(a, b)} - low;
    return span == 0 ? low : low + Random30() % span;
}

float RandomBetween(float lower, float upper)
{
    constexpr float kSteps = 4194304.0f;  // 2^22
    const float unit = static_cast<float>(Random30() >> 8) / kSteps;
    return lower + (upper - lower) * unit;
}

}  // namespace enemy_commands
