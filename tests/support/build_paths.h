// Where this build's sources, data set and helper programs lie, whatever folder the tests run in.
#pragma once

#include <filesystem>

namespace support {

// The project's source tree (an absolute path).
const std::filesystem::path& SourceRoot();
// The test's own data in the source tree (tests/data).
std::filesystem::path TestDataPath(const std::filesystem::path& name = {});
// The data set this build made (an absolute path).
const std::filesystem::path& BuiltResourceDir();
// The programs the tests start as processes of their own.
const char* GameSaverHelperProgram();
const char* SaveWriterHelperProgram();

}  // namespace support
