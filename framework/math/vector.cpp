// Normalising a 3D vector.
#include "framework/math/vector.h"

#include "framework/math/scalar.h"

namespace vesk::math {

Vec3 Vec3Normalize(const Vec3& v)
{
    const float length = MathSqrt(Vec3Dot(v, v));
    if (length == 0.0f) return {};
    const float inverse = 1.0f / length;
    return {v.x * inverse, v.y * inverse, v.z * inverse};
}

}  // namespace vesk::math
