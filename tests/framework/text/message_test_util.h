#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/little_endian.h"
#include "tools/common/message_file_writer.h"

namespace vesk::text::test {

inline std::vector<uint8_t> BuildMessageFile(const std::vector<tools::MessageFileEntry>& entries, uint32_t revision = 1)
{
    return tools::WriteMessageFile(entries, revision);
}

inline uint32_t GetU32(const std::vector<uint8_t>& file, size_t at)
{
    return platform::ReadU32(file, at);
}

inline void PutU32(std::vector<uint8_t>& file, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i) {
        file[at + i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

}  // namespace vesk::text::test
