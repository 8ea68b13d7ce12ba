// The 3D camera's projection, look-at, view-projection product and view frustum.
#include "framework/camera/camera.h"

#include "framework/math/camera_matrix.h"
#include "framework/math/scalar.h"

namespace vesk::camera {

using math::Mat4;
using math::Vec3;
using math::Vec4;

namespace {

// The corners of the clip cube, near face (z 0) first.
constexpr Vec4 kClipCorners[kFrustumCornerCount] = {
    {-1, 1, 0, 1}, {1, 1, 0, 1}, {-1, -1, 0, 1}, {1, -1, 0, 1},
    {-1, 1, 1, 1}, {1, 1, 1, 1}, {-1, -1, 1, 1}, {1, -1, 1, 1},
};

// Three corners of each face, in plane order.
constexpr int kPlaneCorners[kFrustumPlaneCount][3] = {
    {0, 1, 2},  // near
    {4, 5, 6},  // far
    {0, 2, 4},  // left
    {1, 3, 5},  // right
    {0, 1, 4},  // top
    {2, 3, 6},  // bottom
};

Vec3 Add(const Vec3& a, const Vec3& b)
{
    return {a.x + b.x, a.y + b.y, a.z + b.z};
}

float PlaneDistance(const Vec4& plane, const Vec3& point)
{
    return plane.x * point.x + plane.y * point.y + plane.z * point.z + plane.w;
}

}  // namespace

Vec3 UpVectorForSight(const Vec3& eye, const Vec3& target)
{
    const Vec3 sight = math::Vec3Sub(target, eye);
    const Vec3 up = math::Vec3Normalize(math::Vec3Cross(math::Vec3Cross(sight, {0.0f, 1.0f, 0.0f}), sight));
    if (up.x == 0.0f && up.y == 0.0f && up.z == 0.0f) return {0.0f, 0.0f, -1.0f};
    return up;
}

SYS_CCamera::SYS_CCamera()
    : projection_(math::GetIdentityMatrix()), view_(math::GetIdentityMatrix()), viewProjection_(math::GetIdentityMatrix())
{
}

void SYS_CCamera::SetPerspective(float fovY, float aspect, float nearZ, float farZ)
{
    fovY_ = fovY;
    aspect_ = aspect;
    nearZ_ = nearZ;
    farZ_ = farZ;
    SetProjection(math::MakePerspectiveMatrix(fovY, aspect, nearZ, farZ));
}

void SYS_CCamera::SetAspect(float aspect)
{
    SetPerspective(fovY_, aspect, nearZ_, farZ_);
}

void SYS_CCamera::SetProjection(const Mat4& projection)
{
    projection_ = projection;
    viewProjection_ = math::MultiplyMatrix(view_, projection_);
    UpdateFrustum();
}

void SYS_CCamera::LookAt(const Vec3& eye, const Vec3& target, float nearZ, float farZ)
{
    LookAt(eye, target, UpVectorForSight(eye, target), nearZ, farZ);
}

void SYS_CCamera::LookAt(const Vec3& eye, const Vec3& target, const Vec3& up, float nearZ, float farZ)
{
    eye_ = eye;
    target_ = target;
    up_ = up;
    lookAtNear_ = nearZ;
    lookAtFar_ = farZ;
    view_ = math::MakeLookAtMatrix(eye, target, up);
    viewProjection_ = math::MultiplyMatrix(view_, projection_);
    UpdateFrustum();
}

void SYS_CCamera::UpdateFrustum()
{
    const Mat4 inverse = math::InverseMatrix(viewProjection_);
    Vec3 centre;
    for (int i = 0; i < kFrustumCornerCount; ++i) {
        const Vec4 p = math::TransformVec4(kClipCorners[i], inverse);
        // Back from homogeneous coordinates; w is 1 for an affine projection.
        const float w = p.w != 0.0f ? p.w : 1.0f;
        corners_[i] = {p.x / w, p.y / w, p.z / w};
        centre = Add(centre, corners_[i]);
    }
    centre = {centre.x / kFrustumCornerCount, centre.y / kFrustumCornerCount, centre.z / kFrustumCornerCount};

    for (int plane = 0; plane < kFrustumPlaneCount; ++plane) {
        const Vec3& a = corners_[kPlaneCorners[plane][0]];
        const Vec3& b = corners_[kPlaneCorners[plane][1]];
        const Vec3& c = corners_[kPlaneCorners[plane][2]];
        Vec3 normal = math::Vec3Cross(math::Vec3Sub(b, a), math::Vec3Sub(c, a));
        const float length = math::MathSqrt(math::Vec3Dot(normal, normal));
        if (!(length > 0.0f)) {
            planes_[plane] = {};
            continue;
        }
        normal = {normal.x / length, normal.y / length, normal.z / length};
        Vec4 result{normal.x, normal.y, normal.z, -math::Vec3Dot(normal, a)};
        // Whatever the winding of the corners, the inside is where the centre is.
        if (PlaneDistance(result, centre) < 0.0f) result = {-result.x, -result.y, -result.z, -result.w};
        planes_[plane] = result;
    }
}

bool SYS_CCamera::IsPointInFrustum(const Vec3& point) const
{
    for (const Vec4& plane : planes_) {
        if (PlaneDistance(plane, point) < 0.0f) return false;
    }
    return true;
}

}  // namespace vesk::camera
