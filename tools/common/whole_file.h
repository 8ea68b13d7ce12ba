#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

// Whole-file reads and writes of the data tools.
namespace tools {

// The file's bytes; nothing when it cannot be opened or read. Silent: each
// tool says in its own words what it could not read.
std::optional<std::vector<uint8_t>> ReadWholeFile(const std::filesystem::path& path);
std::optional<std::string> ReadTextFile(const std::filesystem::path& path);

// Writes a tool's output, creating the missing folders of the path. The bytes
// go to a temporary name that is then renamed, so a failed run leaves no
// half-written output behind. A failure is reported on stderr.
bool WriteWholeFile(const std::filesystem::path& path, std::span<const uint8_t> bytes);

}  // namespace tools
