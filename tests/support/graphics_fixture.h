// A test fixture with a headless graphics device, its render states, shaders and renderers.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "framework/graphics/device_record.h"
#include "framework/graphics/render_states.h"
#include "framework/graphics/shader.h"
#include "framework/process/canvas.h"
#include "tests/support/resource_folder_fixture.h"

namespace support {

// A headless device (no window) at a 1280 x 720 client, with the render
// states, the shader files in a private resource folder, and the renderers.
class GraphicsFixture : public ResourceFolderFixture {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(MakeResourceFolder("gfx_resources"));
        vesk::process::SetupCanvas();
        ASSERT_TRUE(vesk::graphics::CreateDevice());
        ASSERT_TRUE(vesk::graphics::CreateRenderStates());
        ASSERT_TRUE(vesk::graphics::CreateShaderManager());
        ASSERT_TRUE(vesk::graphics::SetupPolygonRenderers());
        record = vesk::graphics::GetDeviceRecord();
    }

    void TearDown() override
    {
        vesk::graphics::ReleaseShaderManager();
        vesk::graphics::ReleaseRenderStates();
        vesk::graphics::ReleaseDevice();
        RemoveResourceFolder();
    }

    void WriteRaw(const std::string& name, const std::vector<std::uint8_t>& bytes)
    {
        WriteResource("shader/" + name + ".cfx", bytes);
    }

    void RemoveShader(const std::string& name) { std::filesystem::remove(folder_ / "shader" / (name + ".cfx")); }
};

}  // namespace support
