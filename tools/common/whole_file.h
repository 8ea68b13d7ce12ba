// Whole-file reads and writes of the data tools.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace tools {

// The file's bytes; nothing when it cannot be opened or read. Silent: each
// tool says in its own words what it could not read.
std::optional<std::vector<uint8_t>> ReadWholeFile(const std::filesystem::path& path);
std::optional<std::string> ReadTextFile(const std::filesystem::path& path);

// Whether a write may create the missing folders of its path. The build's own
// outputs go into folders made on the way; a file named on the command line
// by a user must go into a folder that exists, so a mistyped folder fails.
enum class MissingFolders { Create, Refuse };

// Writes a tool's output. The bytes go to a temporary name that is then
// renamed, so a failed run leaves no half-written output behind. A failure is
// reported on stderr.
bool WriteWholeFile(const std::filesystem::path& path, std::span<const uint8_t> bytes,
                    MissingFolders folders = MissingFolders::Create);

}  // namespace tools
