#include "tools/common/png_file.h"

#include <cstring>
#include <iostream>

#include <png.h>

namespace tools {

std::optional<RgbaImage> ReadPng(const std::filesystem::path& path)
{
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_file(&png, path.c_str())) {
        std::cerr << "error: cannot read PNG " << path.string() << ": " << png.message << "\n";
        return std::nullopt;
    }
    png.format = PNG_FORMAT_RGBA;
    RgbaImage image(png.width, png.height);
    if (!png_image_finish_read(&png, nullptr, image.rgba.data(), 0, nullptr)) {
        std::cerr << "error: cannot decode PNG " << path.string() << ": " << png.message << "\n";
        png_image_free(&png);
        return std::nullopt;
    }
    return image;
}

bool WritePng(const std::filesystem::path& path, const RgbaImage& image)
{
    if (path.has_parent_path()) {
        std::error_code ignored;
        std::filesystem::create_directories(path.parent_path(), ignored);
    }
    png_image png;
    std::memset(&png, 0, sizeof png);
    png.version = PNG_IMAGE_VERSION;
    png.width = image.width;
    png.height = image.height;
    png.format = PNG_FORMAT_RGBA;
    if (!png_image_write_to_file(&png, path.c_str(), 0, image.rgba.data(), 0, nullptr)) {
        std::cerr << "error: cannot write PNG " << path.string() << ": " << png.message << "\n";
        return false;
    }
    return true;
}

}  // namespace tools
