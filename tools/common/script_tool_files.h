#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vesk::tools::script {

// Whole-file reads and writes of the script tools.
std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path);
// Writes through a temporary name and renames, so a failed run leaves no
// half-written output.
bool WriteWholeFile(const std::string& path, const void* bytes, std::size_t size);

}  // namespace vesk::tools::script
