// Whole-file reads, and writes through a temporary file renamed into place.
#include "tools/common/whole_file.h"

#include <fstream>
#include <iostream>
#include <iterator>

namespace tools {
namespace {

template <typename Container>
std::optional<Container> Read(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    Container bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad()) {
        return std::nullopt;
    }
    return bytes;
}

bool WriteThroughTemporary(const std::filesystem::path& path, std::span<const uint8_t> bytes)
{
    std::error_code error;
    if (path.has_parent_path()) {
        std::filesystem::create_directories(path.parent_path(), error);
    }
    std::filesystem::path temporary = path;
    temporary += ".part";
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        file.close();
        if (!file) {
            std::filesystem::remove(temporary, error);
            return false;
        }
    }
    std::filesystem::rename(temporary, path, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
}

}  // namespace

std::optional<std::vector<uint8_t>> ReadWholeFile(const std::filesystem::path& path)
{
    return Read<std::vector<uint8_t>>(path);
}

std::optional<std::string> ReadTextFile(const std::filesystem::path& path)
{
    return Read<std::string>(path);
}

bool WriteWholeFile(const std::filesystem::path& path, std::span<const uint8_t> bytes, MissingFolders folders)
{
    std::error_code unreadable;  // a folder that cannot be looked at counts as missing
    if (folders == MissingFolders::Refuse && path.has_parent_path() &&
        !std::filesystem::is_directory(path.parent_path(), unreadable)) {
        std::cerr << "error: cannot write " << path.string() << ": there is no folder " << path.parent_path().string()
                  << "\n";
        return false;
    }
    if (!WriteThroughTemporary(path, bytes)) {
        std::cerr << "error: cannot write " << path.string() << "\n";
        return false;
    }
    return true;
}

}  // namespace tools
