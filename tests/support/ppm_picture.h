// A picture of 0xAARRGGBB pixels as the bytes of a binary PPM file, alpha left out.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace support {

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

}  // namespace support
