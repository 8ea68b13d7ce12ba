// The data set this build made, read by tests of the shipped files.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/build_paths.h"
#include "tools/common/whole_file.h"

namespace support {

// The data set this build made (an absolute path), whatever folder the tests run in.
inline std::filesystem::path BuiltResourcePath(const std::string& name = {})
{
    return BuiltResourceDir() / name;
}

// A file of the built data set; empty when the data set is not built.
inline std::vector<std::uint8_t> ReadBuiltResource(const std::string& name)
{
    return ::tools::ReadWholeFile(BuiltResourcePath(name)).value_or(std::vector<std::uint8_t>{});
}

}  // namespace support
