// Perspective, orthographic and look-at matrices.
#include "framework/math/camera_matrix.h"

#include <cmath>

namespace vesk::math {

Mat4 MakePerspectiveMatrix(float fovY, float aspect, float nearZ, float farZ)
{
    const double halfFov = static_cast<double>(fovY) * 0.5;
    const float cotangent = static_cast<float>(std::cos(halfFov) / std::sin(halfFov));
    Mat4 result;
    result(0, 0) = cotangent / aspect;
    result(1, 1) = cotangent;
    result(2, 2) = (nearZ + farZ) / (nearZ - farZ);
    result(2, 3) = -1.0f;
    result(3, 2) = 2.0f * nearZ * farZ / (nearZ - farZ);
    return result;
}

Mat4 MakeOrthoMatrix(float width, float height, float nearZ, float farZ)
{
    Mat4 result;
    result(0, 0) = 2.0f / width;
    result(1, 1) = 2.0f / height;
    result(2, 2) = 1.0f / (nearZ - farZ);
    result(3, 2) = nearZ / (nearZ - farZ);
    result(3, 3) = 1.0f;
    return result;
}

Mat4 MakeLookAtMatrix(const Vec3& eye, const Vec3& target, const Vec3& up)
{
    const Vec3 zAxis = Vec3Normalize(Vec3Sub(eye, target));
    const Vec3 xAxis = Vec3Normalize(Vec3Cross(up, zAxis));
    const Vec3 yAxis = Vec3Cross(zAxis, xAxis);
    Mat4 result;
    result(0, 0) = xAxis.x;
    result(1, 0) = xAxis.y;
    result(2, 0) = xAxis.z;
    result(0, 1) = yAxis.x;
    result(1, 1) = yAxis.y;
    result(2, 1) = yAxis.z;
    result(0, 2) = zAxis.x;
    result(1, 2) = zAxis.y;
    result(2, 2) = zAxis.z;
    result(3, 0) = -Vec3Dot(xAxis, eye);
    result(3, 1) = -Vec3Dot(yAxis, eye);
    result(3, 2) = -Vec3Dot(zAxis, eye);
    result(3, 3) = 1.0f;
    return result;
}

}  // namespace vesk::math
