#include "tools/common/script_tool_files.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace vesk::tools::script {

std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad()) {
        return std::nullopt;
    }
    return bytes;
}

bool WriteWholeFile(const std::string& path, const void* bytes, std::size_t size)
{
    const std::string temporary = path + ".part";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        if (!file) {
            return false;
        }
        file.write(static_cast<const char*>(bytes), static_cast<std::streamsize>(size));
        if (!file) {
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
}

}  // namespace vesk::tools::script
