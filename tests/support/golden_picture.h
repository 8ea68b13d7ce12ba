// Golden pictures: a drawn picture compared with the PPM file kept in tests/data/graphics.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/build_paths.h"
#include "tests/support/ppm_picture.h"
#include "tools/common/whole_file.h"

namespace support {

// Golden pictures: binary PPM files in tests/data/graphics. With
// VARNOLIS_UPDATE_GOLDEN=1 the test writes the picture it drew instead.
inline ::testing::AssertionResult MatchesGolden(const std::string& name, int width, int height,
                                                const std::vector<std::uint32_t>& argb)
{
    const std::string path = TestDataPath("graphics/" + name + ".ppm").string();
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

}  // namespace support
