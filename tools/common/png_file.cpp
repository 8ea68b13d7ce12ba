// PNG files read and written through libpng, with the claimed size checked before anything is allocated.
#include "tools/common/png_file.h"

#include <cstring>
#include <iostream>

#include <png.h>

#include "framework/graphics/block_payload.h"

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
    // The header alone decides the pixel buffer's size: a file of a few bytes may
    // claim any size, so it is checked before anything is allocated.
    if (png.width > vesk::resource::kMaxTextureSide || png.height > vesk::resource::kMaxTextureSide) {
        std::cerr << "error: PNG " << path.string() << " declares " << png.width << " x " << png.height
                  << " pixels; a picture may be at most " << vesk::resource::kMaxTextureSide << " a side\n";
        png_image_free(&png);
        return std::nullopt;
    }
    // Without a gAMA or sRGB chunk libpng takes 16-bit samples for linear light;
    // they are read as the same encoding as 8-bit ones, so a 16-bit file converts
    // like its 8-bit twin.
    png.flags |= PNG_IMAGE_FLAG_16BIT_sRGB;
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
