// The readable source of one language's message file.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "tools/common/message_file_writer.h"

namespace tools {

struct MessageSource {
    std::vector<MessageFileEntry> entries;  // in source order
    std::vector<std::string> errors;        // "file:line: what", empty when the source is good
};

// Reads the readable source of one language's message file: UTF-8 lines
// "KEY<TAB>text"; blank lines and lines starting with '#' are skipped. Keys
// are printable ASCII without spaces and appear once. Texts may hold the
// escapes \n, \t and \\.
MessageSource ParseMessageSource(std::string_view source, std::string_view fileName);

}  // namespace tools
