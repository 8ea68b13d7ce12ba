#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "framework/app/canvas.h"
#include "framework/file/resource_file.h"
#include "framework/graphics/device_record.h"
#include "framework/graphics/render_states.h"
#include "framework/graphics/shader.h"
#include "framework/graphics/shader_table.h"
#include "tools/common/cfx_writer.h"

namespace graphics_test {

// A headless device (no window) at a 1280 x 720 client, with the render
// states, the shader files in a private resource folder, and the renderers.
class GraphicsFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder_ = std::filesystem::current_path() / ("gfx_resources_" + std::to_string(getpid()));
        std::filesystem::create_directories(folder_ / "shader");
        std::string error;
        for (const auto& record : vesk::resource::VertexShaderTable()) {
            WriteShader(platform::gfx::ShaderStage::Vertex, std::string(record.name));
        }
        for (const auto& record : vesk::resource::PixelShaderTable()) {
            WriteShader(platform::gfx::ShaderStage::Pixel, std::string(record.name));
        }
        vesk::file::SetResourceFolder(folder_.string());
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
        vesk::file::SetResourceFolder(vesk::file::kResourceFolder);
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }

    void WriteShader(platform::gfx::ShaderStage stage, const std::string& name)
    {
        std::string error;
        ASSERT_TRUE(tools::WriteCfxFile((folder_ / "shader" / (name + ".cfx")).string(), stage, name, error)) << error;
    }

    void WriteRaw(const std::string& name, const std::vector<std::uint8_t>& bytes)
    {
        std::ofstream(folder_ / "shader" / (name + ".cfx"), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }

    void RemoveShader(const std::string& name) { std::filesystem::remove(folder_ / "shader" / (name + ".cfx")); }

    // The canvas target's pixel (0xAARRGGBB).
    std::uint32_t CanvasPixel(int x, int y) const
    {
        return record->targets[vesk::graphics::kOffscreenTarget]->color.DeviceTexture()->Pixel(x, y);
    }

    vesk::graphics::DeviceRecord* record = nullptr;
    std::filesystem::path folder_;
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
