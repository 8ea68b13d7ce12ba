// mesbuild: turns the readable source of one language's messages into the
// message file the game reads.
//
//   mesbuild [--revision N] <source.txt> <output.mes>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tools/common/message_file_writer.h"
#include "tools/common/message_source.h"

namespace {

int Usage()
{
    std::fprintf(stderr, "usage: mesbuild [--revision N] <source.txt> <output.mes>\n");
    return 2;
}

bool ReadWholeFile(const std::string& path, std::string& out)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    out.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

bool WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes)
{
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    std::error_code ignored;
    if (!parent.empty()) {
        std::filesystem::create_directories(parent, ignored);
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv)
{
    uint32_t revision = 1;
    std::vector<std::string> paths;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--revision") {
            if (++i == argc) {
                return Usage();
            }
            char* end = nullptr;
            const unsigned long value = std::strtoul(argv[i], &end, 10);
            if (*argv[i] == '\0' || *end != '\0' || value > 0xFFFFFFFFul) {
                std::fprintf(stderr, "mesbuild: bad revision '%s'\n", argv[i]);
                return 2;
            }
            revision = static_cast<uint32_t>(value);
        } else {
            paths.push_back(arg);
        }
    }
    if (paths.size() != 2) {
        return Usage();
    }

    std::string source;
    if (!ReadWholeFile(paths[0], source)) {
        std::fprintf(stderr, "mesbuild: cannot read '%s'\n", paths[0].c_str());
        return 1;
    }
    const tools::MessageSource parsed = tools::ParseMessageSource(source, paths[0]);
    for (const std::string& error : parsed.errors) {
        std::fprintf(stderr, "%s\n", error.c_str());
    }
    if (!parsed.errors.empty()) {
        return 1;
    }
    if (!WriteWholeFile(paths[1], tools::WriteMessageFile(parsed.entries, revision))) {
        std::fprintf(stderr, "mesbuild: cannot write '%s'\n", paths[1].c_str());
        return 1;
    }
    return 0;
}
