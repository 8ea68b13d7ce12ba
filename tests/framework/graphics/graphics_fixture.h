#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "framework/app/canvas.h"
#include "framework/graphics/device_record.h"
#include "framework/graphics/render_states.h"
#include "framework/graphics/shader.h"
#include "tests/framework/graphics/resource_folder_fixture.h"

namespace graphics_test {

// A headless device (no window) at a 1280 x 720 client, with the render
// states, the shader files in a private resource folder, and the renderers.
class GraphicsFixture : public ResourceFolderFixture {
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(MakeResourceFolder("gfx_resources"));
        vesk::app::SetupCanvas();
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

// Golden pictures: binary PPM files in tests/data/graphics. With
// VARNOLIS_UPDATE_GOLDEN=1 the test writes the picture it drew instead.
inline ::testing::AssertionResult MatchesGolden(const std::string& name, int width, int height,
                                                const std::vector<std::uint32_t>& argb)
{
    const std::string path = std::string(VARNOLIS_TEST_DATA_DIR) + "/graphics/" + name + ".ppm";
    std::vector<std::uint8_t> rgb;
    for (std::uint32_t p : argb) {
        rgb.push_back(static_cast<std::uint8_t>(p >> 16));
        rgb.push_back(static_cast<std::uint8_t>(p >> 8));
        rgb.push_back(static_cast<std::uint8_t>(p));
    }
    const std::string header = "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
    const char* update = std::getenv("VARNOLIS_UPDATE_GOLDEN");
    if (update && std::string(update) == "1") {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file << header;
        file.write(reinterpret_cast<const char*>(rgb.data()), static_cast<std::streamsize>(rgb.size()));
        return ::testing::AssertionSuccess() << "golden " << name << " written";
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) return ::testing::AssertionFailure() << "no golden picture " << path << " (VARNOLIS_UPDATE_GOLDEN=1 makes it)";
    std::vector<char> stored((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (stored.size() != header.size() + rgb.size() || std::string(stored.data(), header.size()) != header) {
        return ::testing::AssertionFailure() << "golden " << name << " has another size";
    }
    for (std::size_t i = 0; i < rgb.size(); ++i) {
        if (static_cast<std::uint8_t>(stored[header.size() + i]) != rgb[i]) {
            const std::size_t pixel = i / 3;
            return ::testing::AssertionFailure() << "golden " << name << " differs at " << pixel % width << ","
                                                 << pixel / width;
        }
    }
    return ::testing::AssertionSuccess();
}

}  // namespace graphics_test
