#pragma once

#include <cstdint>
#include <filesystem>
#include <span>

namespace tools {

// Writes a tool's output, creating the missing folders of the path; failures
// are reported on stderr.
bool WriteWholeFile(const std::filesystem::path& path, std::span<const uint8_t> bytes);

}  // namespace tools
