// Projection and view matrices for row vectors in a right-handed view space (the camera looks down -z).
#pragma once

#include "framework/math/matrix.h"
#include "framework/math/vector.h"

namespace vesk::math {

// Perspective projection with a vertical field of view in radians; depth runs
// from -1 at the near plane to 1 at the far plane.
Mat4 MakePerspectiveMatrix(float fovY, float aspect, float nearZ, float farZ);

// Orthographic projection of a width x height view centred on the axis; depth
// runs from 0 at the near plane to 1 at the far plane.
Mat4 MakeOrthoMatrix(float width, float height, float nearZ, float farZ);

// View matrix of an eye looking at a target; up need not be perpendicular.
Mat4 MakeLookAtMatrix(const Vec3& eye, const Vec3& target, const Vec3& up);

}  // namespace vesk::math
