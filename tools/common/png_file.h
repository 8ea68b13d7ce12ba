// PNG files read as 8-bit RGBA pictures and written from them.
#pragma once

#include <filesystem>
#include <optional>

#include "tools/common/rgba_image.h"

namespace tools {

// Any PNG, converted to 8-bit RGBA; failures are reported on stderr.
std::optional<RgbaImage> ReadPng(const std::filesystem::path& path);
bool WritePng(const std::filesystem::path& path, const RgbaImage& image);

}  // namespace tools
