// One wave file made into an entry of the sound-effect package, or refused.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tools/common/chunk_list_writer.h"

namespace tools {

// A PCM wave package entry named `name` (the file's name) from the file's
// bytes; nothing, with an error in the log naming the file and the reason,
// when the game could not read the wave, play it or loop it.
std::optional<PackageChunk> MakeSoundEntry(const std::string& path, const std::string& name,
                                           std::vector<uint8_t> bytes);

}  // namespace tools
