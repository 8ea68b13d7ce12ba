#pragma once

#include <cmath>

namespace vesk::math {

// Every function here computes in double and rounds the result to float, so
// results match across call sites regardless of float intermediate precision.

inline constexpr double kDegreesToRadians = 3.1415927 / 180.0;

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
