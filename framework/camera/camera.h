// The 3D camera of models and effects: projection, view, and the view frustum's planes and corners.
#pragma once

#include "framework/math/matrix.h"
#include "framework/math/vector.h"

namespace vesk::camera {

// Frustum planes, each (normal, distance) with the normal pointing inwards:
// a point p is inside a plane when dot(normal, p) + distance >= 0.
enum FrustumPlane { kPlaneNear, kPlaneFar, kPlaneLeft, kPlaneRight, kPlaneTop, kPlaneBottom, kFrustumPlaneCount };
inline constexpr int kFrustumCornerCount = 8;

// The 3D camera of models and effects: projection, view and their product,
// the eye, target and up vectors, and the view frustum as six planes and
// eight corners (near face first: top-left, top-right, bottom-left,
// bottom-right).
class SYS_CCamera {
public:
    SYS_CCamera();
    virtual ~SYS_CCamera() = default;

    // Perspective projection (vertical field of view in radians); the
    // view-projection product and the frustum follow.
    void SetPerspective(float fovY, float aspect, float nearZ, float farZ);
    // A new aspect ratio with the field of view and planes kept.
    void SetAspect(float aspect);
    // A projection from elsewhere (the device layer).
    void SetProjection(const math::Mat4& projection);

    // Eye at `eye` looking at `target`; the up vector is the one
    // perpendicular to the line of sight that leans towards +y. nearZ and
    // farZ are kept with the camera.
    void LookAt(const math::Vec3& eye, const math::Vec3& target, float nearZ, float farZ);
    // The same with a given up vector.
    void LookAt(const math::Vec3& eye, const math::Vec3& target, const math::Vec3& up, float nearZ, float farZ);

    // Rebuilds the planes and corners from the view-projection matrix.
    void UpdateFrustum();
    bool IsPointInFrustum(const math::Vec3& point) const;

    const math::Mat4& Projection() const { return projection_; }
    const math::Mat4& View() const { return view_; }
    const math::Mat4& ViewProjection() const { return viewProjection_; }
    const math::Vec3& Eye() const { return eye_; }
    const math::Vec3& Target() const { return target_; }
    const math::Vec3& Up() const { return up_; }
    float LookAtNear() const { return lookAtNear_; }
    float LookAtFar() const { return lookAtFar_; }
    float FieldOfView() const { return fovY_; }
    float Aspect() const { return aspect_; }
    float NearPlane() const { return nearZ_; }
    float FarPlane() const { return farZ_; }
    const math::Vec4& Plane(int index) const { return planes_[index]; }
    const math::Vec3& Corner(int index) const { return corners_[index]; }

private:
    math::Mat4 projection_;
    math::Mat4 view_;
    math::Mat4 viewProjection_;
    math::Vec3 eye_;
    math::Vec3 target_;
    math::Vec3 up_{0.0f, 1.0f, 0.0f};
    float lookAtNear_ = 0.0f;
    float lookAtFar_ = 0.0f;
    float fovY_ = 0.0f;
    float aspect_ = 1.0f;
    float nearZ_ = 0.0f;
    float farZ_ = 0.0f;
    math::Vec4 planes_[kFrustumPlaneCount];
    math::Vec3 corners_[kFrustumCornerCount];
};

// The up vector of a line of sight d: ((d x (0, 1, 0)) x d), normalised.
// Looking straight along y (or with eye on target) that is zero; (0, 0, -1)
// stands in then so the view stays a rotation.
math::Vec3 UpVectorForSight(const math::Vec3& eye, const math::Vec3& target);

}  // namespace vesk::camera
