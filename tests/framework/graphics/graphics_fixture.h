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
#include "tests/framework/graphics/resource_folder_fixture.h"

namespace graphics_test {

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

// A binary PPM picture of 0xAARRGGBB pixels, alpha left out.
inline std::vector<std::uint8_t> PpmPicture(int width, int height, const std::vector<std::uint32_t>& argb)
{
    const std::string header = "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
    std::vector<std::uint8_t> picture(header.begin(), header.end());
    for (std::uint32_t p : argb) {
        picture.push_back(static_cast<std::uint8_t>(p >> 16));
        picture.push_back(static_cast<std::uint8_t>(p >> 8));
        picture.push_back(static_cast<std::uint8_t>(p));
    }
    return picture;
}

// Golden pictures: binary PPM files in tests/data/graphics. With
// VARNOLIS_UPDATE_GOLDEN=1 the test writes the picture it drew instead.
inline ::testing::AssertionResult MatchesGolden(const std::string& name, int width, int height,
                                                const std::vector<std::uint32_t>& argb)
{
    const std::string path = std::string(VARNOLIS_TEST_DATA_DIR) + "/graphics/" + name + ".ppm";
    const std::vector<std::uint8_t> picture = PpmPicture(width, height, argb);
    const char* update = std::getenv("VARNOLIS_UPDATE_GOLDEN");
    if (update && std::string(update) == "1") {
        if (!tools::WriteWholeFile(path, picture)) return ::testing::AssertionFailure() << "cannot write " << path;
        return ::testing::AssertionSuccess() << "golden " << name << " written";
    }
    const std::optional<std::vector<std::uint8_t>> stored = tools::ReadWholeFile(path);
    if (!stored) return ::testing::AssertionFailure() << "no golden picture " << path << " (VARNOLIS_UPDATE_GOLDEN=1 makes it)";
    const std::size_t headerSize = picture.size() - argb.size() * 3;
    if (stored->size() != picture.size() || !std::equal(picture.begin(), picture.begin() + headerSize, stored->begin())) {
        return ::testing::AssertionFailure() << "golden " << name << " has another size";
    }
    for (std::size_t i = headerSize; i < picture.size(); ++i) {
        if ((*stored)[i] != picture[i]) {
            const std::size_t pixel = (i - headerSize) / 3;
            return ::testing::AssertionFailure() << "golden " << name << " differs at " << pixel % width << ","
                                                 << pixel / width;
        }
    }
    return ::testing::AssertionSuccess();
}

}  // namespace graphics_test
