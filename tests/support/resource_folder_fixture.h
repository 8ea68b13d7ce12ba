// A private resource folder with every shader file, and the canvas target's pixels read back.
#pragma once

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "framework/file/resource_file.h"
#include "framework/graphics/device_record.h"
#include "framework/graphics/shader_table.h"
#include "tools/common/cfx_writer.h"
#include "tools/common/whole_file.h"

namespace support {

// What the device fixtures share: a private resource folder holding a shader
// file for every program of the shader tables, made the resource folder until
// it is removed, and the canvas target's pixels once a device exists.
class ResourceFolderFixture : public ::testing::Test {
protected:
    // <working folder>/<prefix>_<pid>, so that test processes running side by
    // side do not share one. A process stopped before its tear-down (a crash, a
    // time-out, ctrl-C) leaves its folder behind: the next one removes it.
    void MakeResourceFolder(const std::string& prefix)
    {
        RemoveFoldersOfEndedProcesses(std::filesystem::current_path(), prefix);
        folder_ = std::filesystem::current_path() / (prefix + "_" + std::to_string(getpid()));
        std::filesystem::create_directories(folder_ / "shader");
        for (const auto& shader : vesk::resource::VertexShaderTable()) {
            WriteShader(platform::gfx::ShaderStage::Vertex, std::string(shader.name));
        }
        for (const auto& shader : vesk::resource::PixelShaderTable()) {
            WriteShader(platform::gfx::ShaderStage::Pixel, std::string(shader.name));
        }
        vesk::file::SetResourceFolder(folder_.string());
    }

    // Removes each <prefix>_<pid> folder in `parent` whose process no longer runs.
    static void RemoveFoldersOfEndedProcesses(const std::filesystem::path& parent, const std::string& prefix)
    {
        std::error_code ec;
        for (const auto& entry : std::filesystem::directory_iterator(parent, ec)) {
            const std::string name = entry.path().filename().string();
            if (!entry.is_directory(ec) || !name.starts_with(prefix + "_")) continue;
            pid_t pid = 0;
            const char* digits = name.data() + prefix.size() + 1;
            const auto [end, error] = std::from_chars(digits, name.data() + name.size(), pid);
            if (error != std::errc{} || end != name.data() + name.size() || pid <= 0) continue;
            if (kill(pid, 0) != 0 && errno == ESRCH) std::filesystem::remove_all(entry.path(), ec);
        }
    }

    void RemoveResourceFolder()
    {
        vesk::file::SetResourceFolder(vesk::file::kResourceFolder);
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }

    void WriteShader(platform::gfx::ShaderStage stage, const std::string& name)
    {
        std::string error;
        ASSERT_TRUE(tools::WriteCfxFile((folder_ / "shader" / (name + ".cfx")).string(), stage, name, error)) << error;
    }

    // Places a file in the resource folder, making its folders.
    void WriteResource(const std::string& name, std::span<const std::uint8_t> bytes)
    {
        ASSERT_TRUE(tools::WriteWholeFile(folder_ / name, bytes));
    }

    // The canvas target's pixel (0xAARRGGBB).
    std::uint32_t CanvasPixel(int x, int y) const
    {
        return record->targets[vesk::graphics::kOffscreenTarget]->color.DeviceTexture()->Pixel(x, y);
    }

    // The canvas pixels of the w x h block at (x0, y0), row by row.
    std::vector<std::uint32_t> CanvasPixels(int x0, int y0, int width, int height) const
    {
        std::vector<std::uint32_t> pixels;
        for (int y = y0; y < y0 + height; ++y) {
            for (int x = x0; x < x0 + width; ++x) pixels.push_back(CanvasPixel(x, y));
        }
        return pixels;
    }

    // True when every pixel of the w x h block at (x0, y0) is expected(x, y)
    // and the ring of pixels around it is the clear colour, black.
    template <typename Expected>
    ::testing::AssertionResult CanvasShows(int x0, int y0, int w, int h, Expected expected) const
    {
        constexpr std::uint32_t kClear = 0xFF000000u;
        for (int y = y0 - 1; y <= y0 + h; ++y) {
            for (int x = x0 - 1; x <= x0 + w; ++x) {
                const bool inside = x >= x0 && x < x0 + w && y >= y0 && y < y0 + h;
                const std::uint32_t want = inside ? expected(x, y) : kClear;
                if (CanvasPixel(x, y) != want) {
                    return ::testing::AssertionFailure() << "pixel " << x << "," << y << " is " << std::hex
                                                         << CanvasPixel(x, y) << ", not " << want;
                }
            }
        }
        return ::testing::AssertionSuccess();
    }

    vesk::graphics::DeviceRecord* record = nullptr;
    std::filesystem::path folder_;
};

}  // namespace support
