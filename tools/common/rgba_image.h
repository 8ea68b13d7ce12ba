// A picture as the tools draw and read it: rows of straight RGBA bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tools {

// A picture as the tools draw and read it: rows top to bottom, 4 bytes a
// pixel in the order red, green, blue, alpha (straight, not premultiplied).
struct RgbaImage {
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint8_t> rgba;

    RgbaImage() = default;
    RgbaImage(uint32_t w, uint32_t h) : width(w), height(h), rgba(static_cast<std::size_t>(w) * h * 4, 0) {}
};

}  // namespace tools
