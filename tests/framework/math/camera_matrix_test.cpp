// Perspective, orthographic and look-at matrices.
#include <cmath>

#include <gtest/gtest.h>

#include "framework/math/camera_matrix.h"

using namespace vesk::math;

namespace {

void ExpectOnlyElements(const Mat4& m, std::initializer_list<std::pair<int, float>> expected)
{
    Mat4 want;
    for (const auto& [index, value] : expected) want.m[index] = value;
    for (int i = 0; i < 16; ++i) EXPECT_FLOAT_EQ(m.m[i], want.m[i]) << "element " << i;
}

float DepthAfterProjection(const Mat4& projection, float viewZ)
{
    const Vec4 clip = TransformVec4({0, 0, viewZ, 1}, projection);
    return clip.z / clip.w;
}

}  // namespace

TEST(CameraMatrix, PerspectiveElementsAndDepthRange)
{
    // A 90 degree field of view has cos/sin of the half angle equal to 1.
    const Mat4 p = MakePerspectiveMatrix(1.5707964f, 2.0f, 1.0f, 101.0f);
    ExpectOnlyElements(p, {{0, 0.5f}, {5, 1.0f}, {10, -1.02f}, {11, -1.0f}, {14, -2.02f}});
    EXPECT_FLOAT_EQ(DepthAfterProjection(p, -1.0f), -1.0f);
    EXPECT_FLOAT_EQ(DepthAfterProjection(p, -101.0f), 1.0f);

    // The framework camera's own set-up: pi/4, near 1, far 20000.
    const Mat4 camera = MakePerspectiveMatrix(0.7853982f, 1280.0f / 720.0f, 1.0f, 20000.0f);
    EXPECT_NEAR(camera(1, 1), 2.4142137f, 1e-6f);
    EXPECT_NEAR(camera(0, 0), 2.4142137f * 720.0f / 1280.0f, 1e-6f);
}

TEST(CameraMatrix, OrthographicElementsAndDepthRange)
{
    const Mat4 o = MakeOrthoMatrix(284.0f, 136.0f, 1.0f, 11.0f);
    ExpectOnlyElements(o, {{0, 2.0f / 284.0f}, {5, 2.0f / 136.0f}, {10, -0.1f}, {14, -0.1f}, {15, 1.0f}});
    EXPECT_FLOAT_EQ(DepthAfterProjection(o, -1.0f), 0.0f);
    EXPECT_FLOAT_EQ(DepthAfterProjection(o, -11.0f), 1.0f);
    // The view's edges land on the clip edges.
    const Vec4 corner = TransformVec4({142.0f, -68.0f, -5.0f, 1.0f}, o);
    EXPECT_FLOAT_EQ(corner.x, 1.0f);
    EXPECT_FLOAT_EQ(corner.y, -1.0f);
}

TEST(CameraMatrix, LookAtMapsEyeToOriginAndTargetDownNegativeZ)
{
    const Mat4 v = MakeLookAtMatrix({0, 0, 10}, {0, 0, 0}, {0, 1, 0});
    EXPECT_EQ(TransformVec4({0, 0, 10, 1}, v), (Vec4{0, 0, 0, 1}));
    EXPECT_EQ(TransformVec4({0, 0, 0, 1}, v), (Vec4{0, 0, -10, 1}));
}

TEST(CameraMatrix, LookAtFromAnAngleIsARigidViewWithUpOnPositiveY)
{
    const Vec3 eye{3, -2, 7};
    const Vec3 target{-1, 4, 2};
    const Mat4 v = MakeLookAtMatrix(eye, target, {0, 0, 1});

    // The upper 3x3 is orthonormal: its columns are the camera axes.
    for (int a = 0; a < 3; ++a) {
        for (int b = 0; b < 3; ++b) {
            const float dot = v(0, a) * v(0, b) + v(1, a) * v(1, b) + v(2, a) * v(2, b);
            EXPECT_NEAR(dot, a == b ? 1.0f : 0.0f, 1e-6f);
        }
    }
    EXPECT_EQ(v(0, 3), 0.0f);
    EXPECT_EQ(v(1, 3), 0.0f);
    EXPECT_EQ(v(2, 3), 0.0f);
    EXPECT_EQ(v(3, 3), 1.0f);

    const Vec4 eyeInView = TransformVec4({eye.x, eye.y, eye.z, 1}, v);
    EXPECT_NEAR(eyeInView.x, 0.0f, 1e-5f);
    EXPECT_NEAR(eyeInView.y, 0.0f, 1e-5f);
    EXPECT_NEAR(eyeInView.z, 0.0f, 1e-5f);

    const float distance = std::sqrt(16.0f + 36.0f + 25.0f);
    const Vec4 targetInView = TransformVec4({target.x, target.y, target.z, 1}, v);
    EXPECT_NEAR(targetInView.x, 0.0f, 1e-5f);
    EXPECT_NEAR(targetInView.y, 0.0f, 1e-5f);
    EXPECT_NEAR(targetInView.z, -distance, 1e-5f);

    // World up seen from the camera points up.
    EXPECT_GT(TransformVec4({0, 0, 1, 0}, v).y, 0.0f);
}
