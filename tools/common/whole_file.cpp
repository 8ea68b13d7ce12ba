#include "tools/common/whole_file.h"

#include <fstream>
#include <iostream>

namespace tools {

bool WriteWholeFile(const std::filesystem::path& path, std::span<const uint8_t> bytes)
{
    if (path.has_parent_path()) {
        std::error_code ignored;
        std::filesystem::create_directories(path.parent_path(), ignored);
    }
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file) {
        std::cerr << "error: cannot write " << path.string() << "\n";
        return false;
    }
    return true;
}

}  // namespace tools
