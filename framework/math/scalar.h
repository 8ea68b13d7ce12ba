// Float maths computed in double and rounded to float, so results match across call sites.
// That holds whatever the precision of float intermediates.
#pragma once

#include <cmath>

namespace vesk::math {

inline constexpr double kDegreesToRadians = 3.1415927 / 180.0;
// For float angle maths: the same as pi / 180 computed in float.
inline constexpr float kFloatDegreesToRadians = static_cast<float>(kDegreesToRadians);

inline float MathAbs(float v) { return std::fabs(v); }
inline float MathSqrt(float v) { return static_cast<float>(std::sqrt(static_cast<double>(v))); }
inline float MathAcos(float v) { return static_cast<float>(std::acos(static_cast<double>(v))); }
inline float MathSin(float radians) { return static_cast<float>(std::sin(static_cast<double>(radians))); }
inline float MathCos(float radians) { return static_cast<float>(std::cos(static_cast<double>(radians))); }

inline float MathSinDeg(float degrees)
{
    return static_cast<float>(std::sin(static_cast<double>(degrees) * kDegreesToRadians));
}

inline float MathCosDeg(float degrees)
{
    return static_cast<float>(std::cos(static_cast<double>(degrees) * kDegreesToRadians));
}

}  // namespace vesk::math
