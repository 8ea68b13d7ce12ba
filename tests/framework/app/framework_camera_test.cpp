#include <gtest/gtest.h>

#include <cmath>

#include "framework/app/framework_manager.h"
#include "framework/graphics/device_record.h"
#include "framework/graphics/render_states.h"
#include "framework/graphics/shader.h"
#include "framework/math/camera_matrix.h"
#include "tests/framework/graphics/graphics_fixture.h"

namespace {

// The framework as the application brings it up: the manager's camera is set
// up with the render resources and follows display-mode changes.
class FrameworkCamera : public graphics_test::GraphicsFixture {
protected:
    void SetUp() override
    {
        folder_ = std::filesystem::current_path() / ("camera_resources_" + std::to_string(getpid()));
        std::filesystem::create_directories(folder_ / "shader");
        for (const auto& shader : vesk::resource::VertexShaderTable()) {
            WriteShader(platform::gfx::ShaderStage::Vertex, std::string(shader.name));
        }
        for (const auto& shader : vesk::resource::PixelShaderTable()) {
            WriteShader(platform::gfx::ShaderStage::Pixel, std::string(shader.name));
        }
        vesk::file::SetResourceFolder(folder_.string());
        vesk::app::SetupCanvas();
        ASSERT_TRUE(vesk::app::CreateFrameworkManager());
        vesk::app::SetupRenderResources();
        manager = vesk::app::GetFrameworkManager();
        ASSERT_NE(manager, nullptr);
    }

    void TearDown() override
    {
        vesk::graphics::ReleaseShaderManager();
        vesk::graphics::ReleaseRenderStates();
        vesk::app::ReleaseFrameworkManager();
        vesk::app::ReleaseDeviceAndWindow();
        vesk::file::SetResourceFolder(vesk::file::kResourceFolder);
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }

    vesk::app::GAME_CFrameworkManager* manager = nullptr;
};

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
