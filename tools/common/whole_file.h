#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace tools {

// Whole-file helpers for the tools; both report failures on stderr. Writing
// creates the missing folders of the path.
bool WriteWholeFile(const std::filesystem::path& path, std::span<const uint8_t> bytes);
bool ReadWholeFile(const std::filesystem::path& path, std::vector<uint8_t>& bytes);

}  // namespace tools
