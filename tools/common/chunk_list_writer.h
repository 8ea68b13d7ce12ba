// Writing chunk-list packages, the container of sprite and sound packages.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tools {

// One chunk of a chunk-list package (the container of sprite and sound packages).
struct PackageChunk {
    std::string tag;   // four characters
    std::string name;  // at most 127 characters
    std::vector<uint8_t> data;
};

// The header, the 144-byte chunk records right after it, then each chunk's
// bytes on a 16-byte boundary.
std::vector<uint8_t> MakeChunkList(const std::vector<PackageChunk>& chunks);

}  // namespace tools
