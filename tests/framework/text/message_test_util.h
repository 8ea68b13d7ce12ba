// Message files built for the tests by the tools' writer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/common/byte_writer.h"
#include "tools/common/message_file_writer.h"

namespace vesk::text::test {

inline std::vector<uint8_t> BuildMessageFile(const std::vector<tools::MessageFileEntry>& entries, uint32_t revision = 1)
{
    return tools::WriteMessageFile(entries, revision);
}

using ::tools::PutU32;

}  // namespace vesk::text::test
