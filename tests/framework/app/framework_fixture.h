#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "framework/app/canvas.h"
#include "framework/app/framework_manager.h"
#include "framework/file/resource_file.h"
#include "framework/graphics/render_states.h"
#include "framework/graphics/shader.h"
#include "framework/graphics/shader_table.h"
#include "tools/common/cfx_writer.h"

namespace framework_test {

// The framework as the application brings it up: the manager with its window
// and device, then the render resources, with every shader file in a private
// resource folder.
class FrameworkFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = std::filesystem::current_path() / ("framework_resources_" + std::to_string(getpid()));
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
        if (manager) manager->spriteRegistry.ReleaseAll();
        vesk::graphics::ReleaseShaderManager();
        vesk::graphics::ReleaseRenderStates();
        vesk::app::ReleaseFrameworkManager();
        vesk::app::ReleaseDeviceAndWindow();
        vesk::file::SetResourceFolder(vesk::file::kResourceFolder);
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }

    void WriteShader(platform::gfx::ShaderStage stage, const std::string& name)
    {
        std::string error;
        ASSERT_TRUE(tools::WriteCfxFile((folder_ / "shader" / (name + ".cfx")).string(), stage, name, error)) << error;
    }

    vesk::app::GAME_CFrameworkManager* manager = nullptr;
    std::filesystem::path folder_;
};

}  // namespace framework_test
