// The framework's camera: its start-up perspective and the aspect it follows.
#include <gtest/gtest.h>

#include <bit>

#include "framework/graphics/device_record.h"
#include "framework/math/camera_matrix.h"
#include "tests/support/framework_fixture.h"

namespace {

using FrameworkCamera = support::FrameworkFixture;

TEST_F(FrameworkCamera, StartsWithAQuarterPiPerspectiveAtTheClientAspect)
{
    const vesk::camera::SYS_CCamera& camera = manager->camera;
    EXPECT_EQ(std::bit_cast<std::uint32_t>(camera.FieldOfView()), 0x3F490FDBu);
    EXPECT_EQ(camera.NearPlane(), 1.0f);
    EXPECT_EQ(camera.FarPlane(), 20000.0f);
    EXPECT_EQ(camera.Aspect(), 1280.0f / 720.0f);
    EXPECT_EQ(camera.Projection(), vesk::math::MakePerspectiveMatrix(camera.FieldOfView(), 1280.0f / 720.0f, 1, 20000));
    EXPECT_EQ(camera.ViewProjection(), vesk::math::MultiplyMatrix(camera.View(), camera.Projection()));
}

TEST_F(FrameworkCamera, FollowsTheDisplayMode)
{
    manager->camera.LookAt({0, 0, 10}, {0, 0, 0}, 1.0f, 20000.0f);
    vesk::graphics::PlaceWindowOnMonitor(800, 600, false);
    const vesk::camera::SYS_CCamera& camera = manager->camera;
    EXPECT_EQ(camera.Aspect(), 800.0f / 600.0f);
    EXPECT_EQ(camera.Projection(), vesk::math::MakePerspectiveMatrix(camera.FieldOfView(), 800.0f / 600.0f, 1, 20000));
    // The view stays; the product takes the new projection.
    EXPECT_EQ(camera.Eye().z, 10.0f);
    EXPECT_EQ(camera.ViewProjection(), vesk::math::MultiplyMatrix(camera.View(), camera.Projection()));
}

}  // namespace
