// Writing message files that the game installs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tools {

struct MessageFileEntry {
    std::string key;  // ASCII, written up to its first zero byte
    std::u16string text;
    bool hasText = true;  // without text only the key is written
};

// Lays the entries out as a message file the game installs: header, bucket
// table, per-bucket entry lists in the given order, entry records, keys and
// texts. Keys are written as given (duplicates too; the first one wins when
// the game looks a key up), so the caller checks them.
std::vector<uint8_t> WriteMessageFile(const std::vector<MessageFileEntry>& entries, uint32_t revision);

}  // namespace tools
