// Small test pictures, image files and sprite packages with a known pattern.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/common/image_writer.h"
#include "tools/common/rgba_image.h"
#include "tools/common/sprite_package_writer.h"

namespace support {

// A picture whose every pixel differs: red grows along x, green along y.
inline tools::RgbaImage Pattern(uint32_t width, uint32_t height, uint8_t blue)
{
    tools::RgbaImage image(width, height);
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            uint8_t* p = &image.rgba[(y * width + x) * 4];
            p[0] = static_cast<uint8_t>(20 + x * 40);
            p[1] = static_cast<uint8_t>(20 + y * 40);
            p[2] = blue;
            p[3] = 255;
        }
    }
    return image;
}

// The colour Pattern gives at texel (x, y), as the canvas holds it (0xAARRGGBB).
inline uint32_t PatternPixel(int x, int y, uint8_t blue)
{
    return 0xFF000000u | (static_cast<uint32_t>(20 + x * 40) << 16) | (static_cast<uint32_t>(20 + y * 40) << 8) | blue;
}

// A raw ".cvt" file of a small picture.
inline std::vector<uint8_t> ImageFile(const std::string& name, uint32_t width = 2, uint32_t height = 2)
{
    return *tools::MakeImageFile(Pattern(width, height, 7), name, tools::ImageEncoding::Raw);
}

// Three sprites and one extra image.
inline std::vector<uint8_t> ThreeSpritePackage()
{
    return *tools::MakeSpritePackage("rooms_atlas",
                                     {{"floor.png", Pattern(4, 3, 100)},
                                      {"wall.png", Pattern(5, 2, 150)},
                                      {"crate", Pattern(2, 2, 200)}},
                                     {{"extra_logo", Pattern(3, 3, 50)}});
}

}  // namespace support
