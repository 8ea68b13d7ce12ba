// The 3D camera: look-at, projection, their product and the view frustum.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>

#include "framework/camera/camera.h"
#include "framework/math/camera_matrix.h"

namespace {

using vesk::camera::SYS_CCamera;
using vesk::math::Mat4;
using vesk::math::Vec3;
using vesk::math::Vec4;

Vec3 Transform(const Vec3& p, const Mat4& m)
{
    const Vec4 r = vesk::math::TransformVec4({p.x, p.y, p.z, 1.0f}, m);
    return {r.x / r.w, r.y / r.w, r.z / r.w};
}

void ExpectNear(const Vec3& v, float x, float y, float z, float tolerance = 1e-4f)
{
    EXPECT_NEAR(v.x, x, tolerance);
    EXPECT_NEAR(v.y, y, tolerance);
    EXPECT_NEAR(v.z, z, tolerance);
}

const float kQuarterPi = std::bit_cast<float>(0x3F490FDBu);

TEST(Camera, LookAtPutsTheEyeAtTheOrigin)
{
    SYS_CCamera camera;
    camera.LookAt({0, 0, 10}, {0, 0, 0}, 1.0f, 100.0f);
    ExpectNear(Transform({0, 0, 10}, camera.View()), 0, 0, 0);
    ExpectNear(Transform({0, 0, 0}, camera.View()), 0, 0, -10);
    ExpectNear(camera.Up(), 0, 1, 0);
    EXPECT_EQ(camera.LookAtNear(), 1.0f);
    EXPECT_EQ(camera.LookAtFar(), 100.0f);
}

TEST(Camera, ViewFollowsTheLookAtFormula)
{
    SYS_CCamera camera;
    const Vec3 eye{3, 4, 5};
    const Vec3 target{-1, 0, 2};
    camera.LookAt(eye, target, 1.0f, 50.0f);
    // The up vector is perpendicular to the sight line and leans towards +y.
    const Vec3 sight = vesk::math::Vec3Sub(target, eye);
    EXPECT_NEAR(vesk::math::Vec3Dot(camera.Up(), sight), 0.0f, 1e-5f);
    EXPECT_GT(camera.Up().y, 0.0f);
    EXPECT_NEAR(vesk::math::Vec3Dot(camera.Up(), camera.Up()), 1.0f, 1e-5f);

    const Vec3 z = vesk::math::Vec3Normalize(vesk::math::Vec3Sub(eye, target));
    const Vec3 x = vesk::math::Vec3Normalize(vesk::math::Vec3Cross(camera.Up(), z));
    const Vec3 y = vesk::math::Vec3Cross(z, x);
    const Mat4& v = camera.View();
    const float expected[16] = {x.x, y.x, z.x, 0, x.y, y.y, z.y, 0, x.z, y.z, z.z, 0,
                                -vesk::math::Vec3Dot(x, eye), -vesk::math::Vec3Dot(y, eye), -vesk::math::Vec3Dot(z, eye), 1};
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(v.m[i], expected[i], 1e-5f) << i;
}

TEST(Camera, ProjectionAndProductFollowThePerspectiveFormula)
{
    SYS_CCamera camera;
    const float aspect = 1280.0f / 720.0f;
    camera.SetPerspective(kQuarterPi, aspect, 1.0f, 20000.0f);
    const Mat4& p = camera.Projection();
    const float c = static_cast<float>(std::cos(kQuarterPi / 2.0) / std::sin(kQuarterPi / 2.0));
    EXPECT_FLOAT_EQ(p(0, 0), c / aspect);
    EXPECT_FLOAT_EQ(p(1, 1), c);
    EXPECT_FLOAT_EQ(p(2, 2), 20001.0f / -19999.0f);
    EXPECT_EQ(p(2, 3), -1.0f);
    EXPECT_FLOAT_EQ(p(3, 2), 40000.0f / -19999.0f);
    EXPECT_EQ(p(3, 3), 0.0f);

    camera.LookAt({10, 20, 30}, {0, 0, 0}, 1.0f, 20000.0f);
    EXPECT_EQ(camera.ViewProjection(), vesk::math::MultiplyMatrix(camera.View(), camera.Projection()));
    camera.SetAspect(2.0f);
    EXPECT_FLOAT_EQ(camera.Projection()(0, 0), c / 2.0f);
    EXPECT_EQ(camera.FieldOfView(), kQuarterPi);
    EXPECT_EQ(camera.ViewProjection(), vesk::math::MultiplyMatrix(camera.View(), camera.Projection()));
}

TEST(Camera, IdentityMatricesGiveTheClipCubeCorners)
{
    SYS_CCamera camera;
    camera.SetProjection(vesk::math::GetIdentityMatrix());
    const float corners[8][3] = {{-1, 1, 0}, {1, 1, 0}, {-1, -1, 0}, {1, -1, 0},
                                 {-1, 1, 1}, {1, 1, 1}, {-1, -1, 1}, {1, -1, 1}};
    for (int i = 0; i < 8; ++i) ExpectNear(camera.Corner(i), corners[i][0], corners[i][1], corners[i][2]);
    // The planes are unit length and face inwards.
    for (int i = 0; i < vesk::camera::kFrustumPlaneCount; ++i) {
        const Vec4& plane = camera.Plane(i);
        EXPECT_NEAR(plane.x * plane.x + plane.y * plane.y + plane.z * plane.z, 1.0f, 1e-5f) << i;
    }
    EXPECT_TRUE(camera.IsPointInFrustum({0, 0, 0.5f}));
    EXPECT_FALSE(camera.IsPointInFrustum({0, 0, 1.5f}));
    EXPECT_FALSE(camera.IsPointInFrustum({-1.1f, 0, 0.5f}));
}

TEST(Camera, PointsInsideAndOutsideTheFrustum)
{
    SYS_CCamera camera;
    camera.SetPerspective(kQuarterPi, 16.0f / 9.0f, 1.0f, 20000.0f);
    camera.LookAt({0, 0, 10}, {0, 0, 0}, 1.0f, 20000.0f);
    EXPECT_TRUE(camera.IsPointInFrustum({0, 0, 0}));
    EXPECT_TRUE(camera.IsPointInFrustum({1, -1, -100}));
    EXPECT_FALSE(camera.IsPointInFrustum({0, 0, 20}));        // behind the eye
    EXPECT_FALSE(camera.IsPointInFrustum({0, 0, -30000}));    // beyond the far plane
    EXPECT_FALSE(camera.IsPointInFrustum({100, 0, 0}));       // far to the right
    EXPECT_FALSE(camera.IsPointInFrustum({0, 50, 0}));        // above
    // The far corners lie at the far distance from the eye along the sight line.
    EXPECT_NEAR(camera.Corner(4).z, 10.0f - 20000.0f, 20.0f);  // float inverse of a deep range
}

TEST(Camera, LookingStraightDownKeepsAUsableView)
{
    SYS_CCamera camera;
    camera.SetPerspective(kQuarterPi, 1.0f, 1.0f, 100.0f);
    camera.LookAt({0, 50, 0}, {0, 0, 0}, 1.0f, 100.0f);
    for (float value : camera.View().m) EXPECT_TRUE(std::isfinite(value));
    ExpectNear(Transform({0, 0, 0}, camera.View()), 0, 0, -50);
    EXPECT_TRUE(camera.IsPointInFrustum({0, 0, 0}));
}

}  // namespace
