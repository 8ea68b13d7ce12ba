#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tools/common/whole_file.h"

namespace vesk::file::test {

// The data set the build makes sits beside the tests' working folder.
inline std::filesystem::path BuiltResourcePath(const std::string& name = {})
{
    return std::filesystem::absolute("../ResourceWin") / name;
}

// A file of the built data set; empty when the data set is not built.
inline std::vector<std::uint8_t> ReadBuiltResource(const std::string& name)
{
    return ::tools::ReadWholeFile(BuiltResourcePath(name)).value_or(std::vector<std::uint8_t>{});
}

}  // namespace vesk::file::test
