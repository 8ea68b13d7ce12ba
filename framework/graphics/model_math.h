// Quaternion and transform helpers of the model pose.
// Quaternions are Vec4 (x, y, z, w); matrices are row-major for row vectors
// (Mat4).
#pragma once

#include "framework/math/matrix.h"
#include "framework/math/vector.h"

namespace vesk::resource {

// The rotation of a unit quaternion, upper 3x3 set, the rest identity.
math::Mat4 MatrixFromQuaternion(const math::Vec4& q);

// The rotation of q with the translation in the fourth row.
math::Mat4 MatrixFromRotationTranslation(const math::Vec4& q, const math::Vec3& translation);

// scale x rotation with the translation in the fourth row: a point is scaled,
// then rotated, then moved.
math::Mat4 ComposeLocalMatrix(const math::Vec3& scale, const math::Vec4& rotation, const math::Vec3& translation);

// Between two keys: the shorter arc (b negated when the dot product is
// negative); a plain weighted sum, not normalised, when the keys are nearly
// equal or the factor is exactly 0 or 1.
math::Vec4 InterpolateKeyRotation(const math::Vec4& a, const math::Vec4& b, float factor);

// Cross-fade from q1 (t = 0) to q2 (t = 1) along the shorter arc (q1 negated
// when the dot product is negative); close quaternions are blended linearly
// and normalised.
math::Vec4 BlendFadeRotation(const math::Vec4& q1, const math::Vec4& q2, float t);

// a + (b - a) x factor per component.
math::Vec3 LerpVec3(const math::Vec3& a, const math::Vec3& b, float factor);

// The point (x, y, z, 1) times the matrix, w dropped.
math::Vec3 TransformPoint(const math::Vec3& point, const math::Mat4& matrix);

}  // namespace vesk::resource
